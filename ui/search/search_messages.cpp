#include "ui/search/search_messages.h"

#include "calc/number_text.h"
#include "catalogue/value_lists.h"
#include "ui/utf8.h"

#include <QStringList>
#include <cstddef>
#include <string_view>

namespace ui {

namespace {

using calc::Problem;
using catalogue::RemarkKind;
using catalogue::SearchInput;

// "comme" rather than "par exemple": Debian's checks of the package read the program's texts as
// English and take "exemple" for a misspelt "example". A value at zero or below is one mistake
// to the user, whichever side of zero it lies.
QString ProblemMessage(const catalogue::SearchProblem& problem) {
    const bool notANumber = problem.problem == Problem::NotANumber;
    const bool notPositive =
        problem.problem == Problem::Zero || problem.problem == Problem::Negative;
    switch (problem.input) {
    case SearchInput::Frequency:
        if (notANumber) {
            return QStringLiteral("La fréquence voulue n'est pas un nombre lisible : écrivez-la en "
                                  "hertz, avec une virgule décimale, comme 1000 ou 1748,252.");
        }
        if (notPositive) {
            return QStringLiteral("La fréquence voulue doit être supérieure à 0 Hz.");
        }
        break;
    case SearchInput::Tolerance:
        if (notANumber) {
            return QStringLiteral("La tolérance n'est pas un nombre lisible : écrivez-la en pour "
                                  "cent, comme 2 ou 0,5.");
        }
        if (problem.problem == Problem::OutOfRange) {
            return QStringLiteral("La tolérance doit être comprise entre 0 et 100 %.");
        }
        break;
    case SearchInput::HalfWidth:
        if (notANumber) {
            return QStringLiteral("La demi-largeur voulue n'est pas un nombre lisible : écrivez-la "
                                  "en hertz, comme 50, ou laissez la case vide.");
        }
        if (notPositive) {
            return QStringLiteral("La demi-largeur voulue doit être supérieure à 0 Hz.");
        }
        break;
    case SearchInput::Voltage:
        if (notANumber) {
            return QStringLiteral(
                "La tension d'alimentation de la fenêtre principale n'est pas un nombre.");
        }
        break;
    }
    return {};
}

template <std::size_t N>
QString PartText(const catalogue::Part& part, const std::array<catalogue::Item, N>& units) {
    return FromUtf8(part.value) + QLatin1Char(' ') +
           FromUtf8(units[static_cast<std::size_t>(part.unit)]);
}

QString NothingWithinMessage(const catalogue::SearchResult& result) {
    QString message =
        result.tolerance == 0
            ? QStringLiteral("Aucune paire ne donne exactement ") +
                  FromUtf8(calc::NumberToText(result.frequency)) + QStringLiteral(" Hz")
            : QStringLiteral("Aucune paire à moins de ") +
                  FromUtf8(calc::NumberToText(result.tolerance)) + QStringLiteral(" %");
    if (!result.nearest) {
        return message + QLatin1Char('.');
    }
    const catalogue::PairRow& nearest = *result.nearest;
    return message + QStringLiteral(" ; la plus proche : ") +
           PartText(nearest.r1, catalogue::ResistorUnits) + QStringLiteral(" et ") +
           PartText(nearest.c1, catalogue::C1Units) + QStringLiteral(", ") +
           FromUtf8(nearest.frequency) + QStringLiteral(" Hz (") + FromUtf8(nearest.deviation) +
           QStringLiteral(" %)");
}

struct Words {
    QString shown, reason;
};

Words RemarkWordsOf(const catalogue::Remark& remark) {
    const QString figure = FromUtf8(remark.figure);
    switch (remark.kind) {
    case RemarkKind::AboveDataSheet:
        return {QStringLiteral("Au-delà de 500 kHz, la limite des fiches techniques du NE567."),
                QStringLiteral("La fréquence voulue dépasse 500 kHz, la plus haute que donnent les "
                               "fiches techniques du NE567 : rien n'y garantit le fonctionnement "
                               "du circuit. Les paires sont cherchées quand même.")};
    case RemarkKind::TrimmerOutsideAdvised:
        return {QStringLiteral("R1 exacte hors de la plage conseillée, de 2 kΩ à 20 kΩ."),
                QStringLiteral("Avec ce C1, la fréquence voulue demande une R1 hors de la plage "
                               "de 2 kΩ à 20 kΩ que conseille le schéma ; un autre C1 la ramène "
                               "dans la plage.")};
    case RemarkKind::TrimmerBeyondLists:
        return {QStringLiteral("Pas de R1 exacte pour ce C1 : aucune résistance des listes n'en "
                               "approche."),
                QStringLiteral("Avec ce C1, la fréquence voulue demanderait une R1 de moins de "
                               "10 Ohms ou de plus de 910 MOhms, loin des valeurs des listes, de "
                               "100 Ohms à 91 MOhms : aucun ajustable ne la donne.")};
    case RemarkKind::HalfWidthFarFromWanted:
        return {QStringLiteral("écart ") + figure + QStringLiteral(" %"),
                QStringLiteral("Sa demi-largeur s'écarte de plus de 20 % de la demi-largeur "
                               "voulue : ") +
                    figure + QStringLiteral(" %.")};
    case RemarkKind::LowerEdgeNotAboveZero:
        return {QStringLiteral("bord bas ") + figure + QStringLiteral(" Hz"),
                QStringLiteral("Sa demi-largeur atteint la fréquence centrale : la fenêtre "
                               "principale montrera le bas de la plage de capture à ") +
                    figure + QStringLiteral(" Hz.")};
    }
    return {};
}

RemarkWords Joined(std::span<const catalogue::Remark> remarks, const QString& separator) {
    QStringList shown, reasons;
    for (const catalogue::Remark& remark : remarks) {
        const Words words = RemarkWordsOf(remark);
        shown << words.shown;
        reasons << words.reason;
    }
    return {shown.join(separator), reasons.join(QLatin1Char('\n'))};
}

} // namespace

RemarkWords RemarkLine(std::span<const catalogue::Remark> remarks) {
    return Joined(remarks, QStringLiteral(" "));
}

RemarkWords C2Mark(std::span<const catalogue::Remark> remarks) {
    return Joined(remarks, QStringLiteral(", "));
}

QString SearchMessage(const catalogue::SearchResult& result) {
    if (result.problem) {
        return ProblemMessage(*result.problem);
    }
    return result.rows.empty() ? NothingWithinMessage(result) : QString();
}

} // namespace ui
