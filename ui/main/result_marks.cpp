#include "ui/main/result_marks.h"

namespace ui {

namespace {

using calc::Problem;
using calc::Source;

// Every subject is feminine, so that one adjective fits them all.
QString Subject(Source source) {
    switch (source) {
    case Source::R1:
        return QStringLiteral("Valeur de R1");
    case Source::C1:
        return QStringLiteral("Valeur de C1");
    case Source::C2:
        return QStringLiteral("Valeur de C2");
    case Source::Voltage:
        return QStringLiteral("Tension d'alimentation");
    case Source::CentreFrequency:
        return QStringLiteral("Fréquence centrale");
    case Source::HalfWidth:
        return QStringLiteral("Demi-largeur");
    case Source::LowerEdge:
        return QStringLiteral("Limite basse");
    case Source::UpperEdge:
        return QStringLiteral("Limite haute");
    }
    return {};
}

QString Unit(Source source) {
    switch (source) {
    case Source::R1:
        return QStringLiteral("Unité de R1");
    case Source::C1:
        return QStringLiteral("Unité de C1");
    case Source::C2:
        return QStringLiteral("Unité de C2");
    default:
        return QStringLiteral("Unité");
    }
}

QString Adjective(Problem problem, Source source) {
    switch (problem) {
    case Problem::NoUnit:
        return QStringLiteral("non choisie");
    case Problem::NotANumber:
        return source == Source::CentreFrequency ? QStringLiteral("pas encore calculée")
                                                 : QStringLiteral("non reconnue");
    case Problem::OutOfRange:
        return QStringLiteral("hors limites");
    case Problem::Zero:
        return QStringLiteral("nulle");
    case Problem::Negative:
        return QStringLiteral("négative");
    }
    return {};
}

// Which boxes to look at when a computed figure is wrong: only R1 can be negative (it is typed),
// while a frequency that rounds to zero comes from R1 and C1 together.
QString Advice(const calc::CaptionCheck& check) {
    switch (check.source) {
    case Source::CentreFrequency:
        return check.problem == Problem::Negative ? QStringLiteral("vérifier R1")
               : check.problem == Problem::Zero   ? QStringLiteral("vérifier R1 et C1")
                                                  : QString();
    case Source::LowerEdge:
    case Source::UpperEdge:
        return check.problem == Problem::Zero
                   ? QStringLiteral("la demi-largeur égale la fréquence centrale")
                   : QStringLiteral("la demi-largeur dépasse la fréquence centrale");
    default:
        return {};
    }
}

} // namespace

QString Reason(const calc::CaptionCheck& check) {
    using State = calc::CaptionCheck::State;
    if (check.state == State::Current) {
        return {};
    }
    const QString what =
        (check.problem == Problem::NoUnit ? Unit(check.source) : Subject(check.source)) +
        QLatin1Char(' ') + Adjective(check.problem, check.source);
    const QString advice = Advice(check);
    if (check.state == State::NotAFrequency) {
        // « Fréquence centrale négative : vérifier R1 »
        return advice.isEmpty() ? what : what + QStringLiteral(" : ") + advice;
    }
    // « Valeur de R1 non reconnue : résultat de la dernière valeur valide »
    return (advice.isEmpty() || check.source != Source::CentreFrequency
                ? what
                : what + QStringLiteral(" (") + advice + QLatin1Char(')')) +
           QStringLiteral(" : résultat de la dernière valeur valide");
}

} // namespace ui
