#include "ui/sheet/sheet_drawing.h"

#include "ui/main/result_marks.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <algorithm>
#include <charconv>

namespace ui {

namespace {

const QColor Ink(0x1e, 0x1e, 0x1e);
const QColor Muted(0x5c, 0x5c, 0x5c);
const QColor Accent(0x00, 0x40, 0x00); // the diagram's wires
const QColor Hairline(0xb4, 0xb4, 0xa0);
const QColor Band(0xf3, 0xf3, 0xea); // a pale tint of the diagram's khaki bodies
const QColor StaleInk(0x80, 0x80, 0x80);
const QColor WarningInk(0xa4, 0x00, 0x00);
const QColor NoticeBand(0xfb, 0xec, 0xec);
const QColor LabelGreen(0x00, 0xc0, 0x00);
const QColor White(0xff, 0xff, 0xff);

const QString Family = QStringLiteral("DejaVu Sans");

// The schematic window's picture and its labels (ui/schematic/form2.cpp), in twips: the values go
// where that window writes them, at the same size against the drawing.
constexpr double PictureWidth = 12975, PictureHeight = 7695;
constexpr double LabelHeight = 360, LabelFontTwips = 9.75 * 20;
struct DiagramLabel {
    double left, top;
    QString text;
};

// The page in points from its top-left corner, drawn at the device's own resolution: the fonts
// keep their exact advances, which a painter scaled from a coarse grid would round.
class Page {
public:
    Page(QPainter& painter, QPagedPaintDevice& device)
        : painter_(painter), device_(device), unit_(device.logicalDpiX() / 72.0) {
        const QRectF paint = device.pageLayout().paintRect(QPageLayout::Point);
        painter_.translate(-paint.left() * unit_, -paint.top() * unit_);
    }

    QRectF Box(double x, double y, double w, double h) const {
        return {x * unit_, y * unit_, w * unit_, h * unit_};
    }

    static QFont Font(double points, bool bold = false, bool italic = false) {
        QFont font(Family);
        font.setPointSizeF(points);
        font.setBold(bold);
        font.setItalic(italic);
        // No ligatures: "fiche" stays five letters for a search or a copy of the text.
        font.setStyleStrategy(QFont::PreferNoShaping);
        return font;
    }

    double Width(const QFont& font, const QString& text) const {
        return QFontMetricsF(font, &device_).horizontalAdvance(text) / unit_;
    }

    // Draws the text in a column `w` points wide from its top, wrapped at words; returns the height
    // it took, in points.
    double Text(double x, double y, double w, const QFont& font, const QColor& colour,
                const QString& text, int flags = Qt::AlignLeft) {
        if (drawing_) {
            painter_.setFont(font);
            painter_.setPen(colour);
            painter_.drawText(Box(x, y, w, 2000), flags | Qt::AlignTop | Qt::TextWordWrap, text);
        }
        return Measure(w, font, text);
    }

    // Draws the text standing on the line y from x, as SVG places its words.
    void OnLine(double x, double y, const QFont& font, const QColor& colour, const QString& text) {
        painter_.setFont(font);
        painter_.setPen(colour);
        painter_.drawText(QPointF(x * unit_, y * unit_), text);
    }

    // The height the text takes wrapped in a column `w` points wide, in points.
    double Measure(double w, const QFont& font, const QString& text) const {
        return QFontMetricsF(font, &device_)
                   .boundingRect(Box(0, 0, w, 2000), Qt::AlignTop | Qt::TextWordWrap, text)
                   .height() /
               unit_;
    }

    void Line(double x1, double y1, double x2, double y2, const QColor& colour, double width) {
        if (!drawing_) {
            return;
        }
        painter_.setPen(QPen(colour, width * unit_, Qt::SolidLine, Qt::FlatCap));
        painter_.drawLine(QPointF(x1 * unit_, y1 * unit_), QPointF(x2 * unit_, y2 * unit_));
    }

    void Fill(double x, double y, double w, double h, const QColor& colour) {
        if (!drawing_) {
            return;
        }
        painter_.fillRect(Box(x, y, w, h), colour);
    }

    void Frame(double x, double y, double w, double h, const QColor& colour, double width) {
        painter_.setPen(QPen(colour, width * unit_));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(Box(x, y, w, h));
    }

    QPainter& painter() { return painter_; }

    // While off, the sections are only measured: the page is laid out before it is drawn.
    void SetDrawing(bool drawing) { drawing_ = drawing; }

private:
    QPainter& painter_;
    QPagedPaintDevice& device_;
    double unit_;
    bool drawing_ = true;
};

// The schematic window's drawing, split in two: its shapes, which Qt SVG draws as vector paths,
// and its words, which it would draw as outlines too and which the sheet writes as text instead,
// so that they can be found and copied. The values the drawing prints for R1, C1 and C2 are left
// out: the window hides them under its labels.
struct DiagramWord {
    QPointF at; // on its line, in the drawing's units
    double size = 13;
    bool bold = false;
    Qt::Alignment anchor = Qt::AlignLeft;
    QString text;
};

struct Diagram {
    QByteArray shapes;
    std::vector<DiagramWord> words;
    QSizeF size{820, 460};
};

double Number(QStringView text) {
    const QByteArray bytes = text.toUtf8();
    double number = 0;
    std::from_chars(bytes.data(), bytes.data() + bytes.size(), number);
    return number;
}

Diagram ReadDiagram() {
    QFile file(QStringLiteral(":/schematic.svg"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray svg = file.readAll();
    Diagram diagram;
    static const QRegularExpression text(QStringLiteral("<text\\b[^>]*>[^<]*</text>"));
    diagram.shapes = QString::fromUtf8(svg).remove(text).toUtf8();

    // What a word takes from the groups around it, as SVG inherits presentation attributes.
    std::vector<QXmlStreamAttributes> open;
    const auto attribute = [&open](const QXmlStreamAttributes& own, QLatin1String name) {
        if (own.hasAttribute(name)) {
            return own.value(name).toString();
        }
        for (auto group = open.rbegin(); group != open.rend(); ++group) {
            if (group->hasAttribute(name)) {
                return group->value(name).toString();
            }
        }
        return QString();
    };
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("svg")) {
            const QList<QStringView> box =
                reader.attributes().value(QLatin1String("viewBox")).split(u' ');
            if (box.size() == 4) {
                diagram.size = {Number(box[2]), Number(box[3])};
            }
        } else if (reader.isStartElement() && reader.name() == QLatin1String("g")) {
            open.push_back(reader.attributes());
        } else if (reader.isEndElement() && reader.name() == QLatin1String("g")) {
            open.pop_back();
        } else if (reader.isStartElement() && reader.name() == QLatin1String("text")) {
            const QXmlStreamAttributes own = reader.attributes();
            const QString id = own.value(QLatin1String("id")).toString();
            DiagramWord word;
            word.at = {Number(own.value(QLatin1String("x"))),
                       Number(own.value(QLatin1String("y")))};
            if (const QString size = attribute(own, QLatin1String("font-size")); !size.isEmpty()) {
                word.size = Number(size);
            }
            word.bold = attribute(own, QLatin1String("font-weight")) == QLatin1String("bold");
            const QString anchor = attribute(own, QLatin1String("text-anchor"));
            word.anchor = anchor == QLatin1String("middle") ? Qt::AlignHCenter
                          : anchor == QLatin1String("end")  ? Qt::AlignRight
                                                            : Qt::AlignLeft;
            word.text = reader.readElementText();
            if (!id.startsWith(QLatin1String("value-"))) {
                diagram.words.push_back(word);
            }
        }
    }
    return diagram;
}

// The diagram in the box, with the chosen values on white boxes in green bold, as the schematic
// window shows them.
void DrawDiagram(Page& page, const DesignSheet& sheet, double x, double y, double w, double h) {
    const Diagram diagram = ReadDiagram();
    QSvgRenderer shapes(diagram.shapes);
    shapes.render(&page.painter(), page.Box(x, y, w, h));
    const double sx = w / diagram.size.width(), sy = h / diagram.size.height();
    for (const DiagramWord& word : diagram.words) {
        const QFont font = Page::Font(word.size * sx, word.bold);
        const double width = page.Width(font, word.text);
        const double left = word.anchor == Qt::AlignHCenter ? word.at.x() * sx - width / 2
                            : word.anchor == Qt::AlignRight ? word.at.x() * sx - width
                                                            : word.at.x() * sx;
        page.OnLine(x + left, y + word.at.y() * sy, font, Qt::black, word.text);
    }
    page.Frame(x, y, w, h, Hairline, 0.6);

    const DiagramLabel labels[] = {{10695, 5520, sheet.r1 + sheet.r1Unit},
                                   {5700, 5685, sheet.c2 + sheet.c2Unit},
                                   {11430, 6600, sheet.c1 + sheet.c1Unit}};
    QFont font = Page::Font(LabelFontTwips / PictureWidth * w, true);
    font.setFamily(QStringLiteral("Tahoma"));
    for (const DiagramLabel& label : labels) {
        const double left = x + label.left / PictureWidth * w;
        const double top = y + label.top / PictureHeight * h;
        const double height = LabelHeight / PictureHeight * h;
        const double width = page.Width(font, label.text);
        page.Fill(left, top, width, height, White);
        page.Text(left, top, width + 1, font, LabelGreen, label.text, Qt::AlignLeft);
    }
}

QString FrenchDate(const QDate& date) {
    const QLocale french(QLocale::French, QLocale::France);
    // « 1er mars 2025 », « 12 mars 2025 »
    return date.day() == 1
               ? QStringLiteral("1er ") + french.toString(date, QStringLiteral("MMMM yyyy"))
               : french.toString(date, QStringLiteral("d MMMM yyyy"));
}

double SectionHeading(Page& page, double x, double y, double w, const QString& text) {
    const double height = page.Text(x, y, w, Page::Font(11.5, true), Accent, text);
    page.Line(x, y + height + 2, x + w, y + height + 2, Accent, 0.6);
    return height + 8;
}

// The four results, each as the main window shows it; a result that does not belong to the values
// on the sheet says so beside its figure, in words, and why.
double DrawResults(Page& page, const DesignSheet& sheet, double x, double y, double w) {
    const double top = y;
    y += SectionHeading(page, x, y, w, QStringLiteral("Résultats"));

    const struct {
        const char* what;
        const SheetResult& result;
    } rows[] = {{ResultDescription::Freq, sheet.centreFrequency},
                {ResultDescription::B, sheet.halfWidth},
                {ResultDescription::LblPlageBas, sheet.lowerEdge},
                {ResultDescription::LblPlageHaut, sheet.upperEdge}};

    bool anyMarked = false;
    for (const auto& row : rows) {
        anyMarked = anyMarked || row.result.state != calc::CaptionCheck::State::Current;
    }

    // Said first, before any figure is read.
    if (anyMarked) {
        const QString notice = QStringLiteral(
            "Les résultats marqués ne correspondent pas aux valeurs de cette fiche.");
        const QFont bold = Page::Font(9, true);
        const double pad = 6;
        const double height = page.Measure(w - 3 * pad, bold, notice);
        page.Fill(x, y, w, height + 2 * pad, NoticeBand);
        page.Fill(x, y, 2.5, height + 2 * pad, WarningInk);
        page.Text(x + 2 * pad, y + pad, w - 3 * pad, bold, WarningInk, notice);
        y += height + 2 * pad + 8;
    }

    const double nameWidth = 215;
    const QFont name = Page::Font(10);
    const QFont figure = Page::Font(10, true);
    const QFont mark = Page::Font(8.5, true);
    const QFont reason = Page::Font(8.5, false, true);
    const double rowHeight = 18;

    page.Text(x, y, nameWidth, name, Ink, QStringLiteral("Tension d'alimentation"));
    page.Text(x + nameWidth, y, w - nameWidth, name, Ink, sheet.voltage + QStringLiteral(" V"));
    y += rowHeight + 3;

    for (const auto& row : rows) {
        using State = calc::CaptionCheck::State;
        const State state = row.result.state;
        const QColor colour = state == State::Current ? Ink
                              : state == State::Stale ? StaleInk
                                                      : WarningInk;
        page.Text(x, y, nameWidth, name, Ink, QString::fromUtf8(row.what));
        page.Text(x + nameWidth, y, w - nameWidth, figure, colour, row.result.caption);
        if (state != State::Current) {
            const double after = x + nameWidth + page.Width(figure, row.result.caption) + 10;
            page.Text(after, y + 1.2, x + w - after, mark, colour,
                      state == State::Stale ? QStringLiteral("Non à jour")
                                            : QStringLiteral("Pas une fréquence"));
            y += rowHeight - 4;
            y += page.Text(x + 12, y, w - 12, reason, colour, row.result.reason) + 5;
        } else {
            y += rowHeight;
        }
    }
    return y - top;
}

struct Part {
    QString reference, value, role;
    bool chosen = false;
};

// The parts list: the chosen R1, C1 and C2 (and the trimmer the search advised), and the parts of
// the diagram whose values are fixed.
double DrawParts(Page& page, const DesignSheet& sheet, double x, double y, double w) {
    const double top = y;
    y += SectionHeading(page, x, y, w, QStringLiteral("Liste des composants"));

    const auto value = [](const QString& number, const QString& unit) {
        return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
    };
    std::vector<Part> parts = {
        {QStringLiteral("R1"), value(sheet.r1, sheet.r1Unit),
         QStringLiteral("Temporisation : fixe la fréquence centrale avec C1"), true}};
    if (!sheet.trimmerR1.isEmpty()) {
        parts.push_back({QStringLiteral("RV1"), sheet.trimmerR1,
                         QStringLiteral("Ajustable à la place de R1 : R1 exacte pour ce C1"),
                         true});
    }
    parts.insert(
        parts.end(),
        {{QStringLiteral("R2"), QStringLiteral("4,7 kΩ"),
          QStringLiteral("Rappel de la sortie au +5 V")},
         {QStringLiteral("C1"), value(sheet.c1, sheet.c1Unit),
          QStringLiteral("Condensateur de temporisation"), true},
         {QStringLiteral("C2"), value(sheet.c2, sheet.c2Unit),
          QStringLiteral("Filtre de boucle : fixe la plage de capture"), true},
         {QStringLiteral("C3"), QStringLiteral("10 µF"),
          QStringLiteral("Filtre de sortie (broche 1)")},
         {QStringLiteral("C4"), QStringLiteral("22 nF"),
          QStringLiteral("Liaison de l'entrée (broche 3)")},
         {QStringLiteral("C5"), QStringLiteral("10 µF"),
          QStringLiteral("Découplage de l'entrée du régulateur, polarisé")},
         {QStringLiteral("C6"), QStringLiteral("1 µF"),
          QStringLiteral("Découplage du +5 V, polarisé")},
         {QStringLiteral("U1"), QStringLiteral("NE567"),
          QStringLiteral("Décodeur de tonalité (ou XR567)")},
         {QStringLiteral("U2"), QStringLiteral("78L05"), QStringLiteral("Régulateur 5 V")}});

    const double referenceWidth = 48, valueWidth = 130, pad = 6;
    const double rowHeight = 18;
    const QFont header = Page::Font(8.5, true);
    const QFont text = Page::Font(10);
    const QFont chosen = Page::Font(10, true);

    page.Text(x + pad, y, referenceWidth, header, Muted, QStringLiteral("Repère"));
    page.Text(x + referenceWidth + pad, y, valueWidth, header, Muted, QStringLiteral("Valeur"));
    page.Text(x + referenceWidth + valueWidth + pad, y, w - referenceWidth - valueWidth, header,
              Muted, QStringLiteral("Rôle"));
    y += 14;
    page.Line(x, y, x + w, y, Hairline, 0.6);

    bool band = false;
    for (const Part& part : parts) {
        if (band) {
            page.Fill(x, y, w, rowHeight, Band);
        }
        band = !band;
        const double baseline = y + 3;
        page.Text(x + pad, baseline, referenceWidth, chosen, Ink, part.reference);
        page.Text(x + referenceWidth + pad, baseline, valueWidth - pad, part.chosen ? chosen : text,
                  Ink, part.value);
        page.Text(x + referenceWidth + valueWidth + pad, baseline,
                  w - referenceWidth - valueWidth - 2 * pad, text, Muted, part.role);
        y += rowHeight;
    }
    page.Line(x, y, x + w, y, Hairline, 0.6);
    return y - top;
}

} // namespace

bool PaintSheet(const DesignSheet& sheet, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    Page page(painter, device);

    const QRectF paper = device.pageLayout().fullRect(QPageLayout::Point);
    const double margin = 42;
    const double x = margin;
    const double w = paper.width() - 2 * margin;
    double y = 40;

    // The title, and what made the sheet and when.
    const double right = 170;
    const double title = page.Text(x, y, w - right, Page::Font(19, true), Ink,
                                   QStringLiteral("Décodeur de tonalité NE567"));
    page.Text(x + w - right, y + 2, right, Page::Font(9, true), Muted, sheet.programName,
              Qt::AlignRight);
    page.Text(x + w - right, y + 15, right, Page::Font(8.5), Muted,
              QStringLiteral("version ") + sheet.programVersion, Qt::AlignRight);
    y += title + 2;
    y += page.Text(x, y, w - right, Page::Font(10), Muted,
                   QStringLiteral("Fiche de montage du ") + FrenchDate(sheet.date));
    y += 6;
    page.Line(x, y, x + w, y, Accent, 1.2);
    y += 14;

    // The diagram as wide as the text, unless the results and the parts would then run off the
    // page (every result marked, with its reason): it gives up the height they need.
    const double bottom = paper.height() - 44, gap = 20;
    page.SetDrawing(false);
    const double below = DrawResults(page, sheet, x, 0, w) + gap + DrawParts(page, sheet, x, 0, w);
    page.SetDrawing(true);
    const double diagramHeight = std::min(w * 460.0 / 820.0, bottom - y - gap - below);
    const double diagramWidth = diagramHeight * 820.0 / 460.0;
    DrawDiagram(page, sheet, x + (w - diagramWidth) / 2, y, diagramWidth, diagramHeight);
    y += diagramHeight + gap;

    y += DrawResults(page, sheet, x, y, w) + gap;
    DrawParts(page, sheet, x, y, w);

    painter.end();
    return true;
}

} // namespace ui
