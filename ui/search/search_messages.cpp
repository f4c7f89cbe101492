#include "ui/search/search_messages.h"

#include "calc/number_text.h"
#include "catalogue/value_lists.h"
#include "ui/utf8.h"

#include <cstddef>
#include <string_view>

namespace ui {

namespace {

using calc::Problem;
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

} // namespace

QString SearchMessage(const catalogue::SearchResult& result) {
    if (result.problem) {
        return ProblemMessage(*result.problem);
    }
    return result.rows.empty() ? NothingWithinMessage(result) : QString();
}

} // namespace ui
