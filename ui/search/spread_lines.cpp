#include "ui/search/spread_lines.h"

#include "ui/utf8.h"

namespace ui {

namespace {

QString Hertz(const std::string& figure) {
    return FromUtf8(figure) + QStringLiteral(" Hz");
}

QString Ohms(const catalogue::Resistance& resistance) {
    QString unit = QStringLiteral("kΩ");
    switch (resistance.unit) {
    case calc::R1Unit::Ohms:
        unit = QStringLiteral("Ω");
        break;
    case calc::R1Unit::KOhms:
        break;
    case calc::R1Unit::MOhms:
        unit = QStringLiteral("MΩ");
        break;
    }
    return FromUtf8(resistance.text) + QLatin1Char(' ') + unit;
}

QString OutsideLine(const catalogue::CaptureCheck& check,
                    const catalogue::CaptureCircuit& circuit) {
    return Hertz(check.wantedText) + QStringLiteral(" hors capture si f0 = ") +
           Hertz(circuit.centreFrequencyText) + QStringLiteral(" : de ") +
           Hertz(circuit.lowerEdgeText) + QStringLiteral(" à ") + Hertz(circuit.upperEdgeText);
}

void AddCaptureLines(const catalogue::CaptureCheck& check, QStringList& lines) {
    if (!check.canFallBelow && !check.canFallAbove) {
        lines << Hertz(check.wantedText) +
                     QStringLiteral(" reste dans la plage de capture de chacun de ces circuits");
        return;
    }
    if (check.canFallBelow) {
        lines << OutsideLine(check, check.highestStart);
    }
    if (check.canFallAbove) {
        lines << OutsideLine(check, check.lowestEnd);
    }
}

QString PartsLine(const catalogue::TrimmerPlan& plan) {
    const QString fixed =
        plan.fixedR1 ? QStringLiteral("Résistance fixe ") + Ohms(*plan.fixedR1) : QString();
    if (!plan.trimmer) {
        // Only ever beside a fixed resistor: without one, the range ends below 40 kΩ.
        return fixed + QStringLiteral(", mais aucun ajustable jusqu'à ") +
               Ohms(catalogue::TrimmerSeries().back()) + QStringLiteral(" ne couvre les ") +
               Ohms(plan.travel) + QStringLiteral(" nécessaires");
    }
    if (!plan.fixedR1) {
        return QStringLiteral("Ajustable ") + Ohms(*plan.trimmer) +
               QStringLiteral(" seul : aucune résistance fixe des listes n'est assez petite");
    }
    return fixed + QStringLiteral(" et ajustable ") + Ohms(*plan.trimmer);
}

void AddTrimmerLines(const catalogue::TrimmerPlan& plan, QStringList& lines) {
    lines << QStringLiteral("R1 + RV1 doit couvrir ") + Ohms(plan.lowest) + QStringLiteral(" à ") +
                 Ohms(plan.highest);
    lines << PartsLine(plan);
    if (plan.belowAdvised) {
        lines << QStringLiteral("R1 + RV1 descend sous les 2 kΩ conseillés");
    }
    if (plan.aboveAdvised) {
        lines << QStringLiteral("R1 + RV1 dépasse les 20 kΩ conseillés");
    }
}

} // namespace

QStringList SpreadLines(const catalogue::DesignSpread& design) {
    QStringList lines;
    if (design.spread) {
        lines << QStringLiteral("f0 entre ") + Hertz(design.spread->lowestText) +
                     QStringLiteral(" et ") + Hertz(design.spread->highestText);
    }
    if (design.capture) {
        AddCaptureLines(*design.capture, lines);
    }
    if (design.trimmer) {
        AddTrimmerLines(*design.trimmer, lines);
    }
    return lines;
}

} // namespace ui
