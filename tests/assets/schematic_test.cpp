// The circuit diagram of the schematic window: its size, what it says, and where its printed
// values of R1, C2 and C1 lie, since the window covers exactly those spots with its labels.
#include "svg_inspection.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace assets_test {
namespace {

const QString kSchematic = QStringLiteral(":/schematic.svg");

constexpr int kPictureWidth = 820;
constexpr int kPictureHeight = 460;
// The window stretches the picture over 12975 x 7695 twips.
constexpr double kTwipsAcross = 12975.0 / kPictureWidth;
constexpr double kTwipsDown = 7695.0 / kPictureHeight;
// Each label is 360 twips high once the window has loaded, whatever its design height.
constexpr double kLabelHeight = 360.0;
// A label showing a usual value such as "26KOhms" (bold, about 13 pixels high) is about this
// wide; it keeps its left edge when it grows to fit the text.
constexpr double kUsualLabelWidth = 900.0;

QRectF PictureToTwips(const QRectF& r) {
    return {r.x() * kTwipsAcross, r.y() * kTwipsDown, r.width() * kTwipsAcross,
            r.height() * kTwipsDown};
}

QRectF TwipsToPicture(const QRectF& r) {
    return {r.x() / kTwipsAcross, r.y() / kTwipsDown, r.width() / kTwipsAcross,
            r.height() / kTwipsDown};
}

const SvgContent& Schematic() {
    static const SvgContent content = Inspect(ReadResource(kSchematic));
    return content;
}

// The bounds of an element in picture pixels, as Qt draws it (the box of a text element spans
// its advance width and the font's ascent and descent).
QRectF DrawnBounds(QSvgRenderer& renderer, const QString& id) {
    return renderer.transformForElement(id).mapRect(renderer.boundsOnElement(id));
}

const SvgText* TextWithId(const QString& id) {
    const auto& texts = Schematic().texts;
    const auto found =
        std::find_if(texts.begin(), texts.end(), [&](const SvgText& t) { return t.id == id; });
    return found == texts.end() ? nullptr : &*found;
}

// The picture as the window shows it before any label is laid on it.
QImage Rendered() {
    QSvgRenderer renderer(kSchematic);
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

TEST(SchematicPicture, IsAnSvgOf820By460PixelsThatQtRenders) {
    QSvgRenderer renderer(kSchematic);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.defaultSize(), QSize(kPictureWidth, kPictureHeight));
    EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, kPictureWidth, kPictureHeight));
}

TEST(SchematicPicture, HasAnOpaqueWhiteBackground) {
    const QImage image = Rendered();
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(kPictureWidth - 1, 0), QPoint(0, kPictureHeight - 1),
          QPoint(kPictureWidth - 1, kPictureHeight - 1)}) {
        EXPECT_EQ(image.pixel(corner), qRgba(255, 255, 255, 255))
            << "at " << corner.x() << "," << corner.y();
    }
}

// ---- what the diagram says ------------------------------------------------------------------

struct RequiredText {
    const char* name;
    const char* text;
    // Whole: a text element says exactly this; otherwise it is part of a longer text.
    bool whole;
};

// Names the row in test listings and failure messages.
void PrintTo(const RequiredText& row, std::ostream* out) {
    *out << row.name;
}

const RequiredText kRequiredTexts[] = {
    {"Title", "Décodeur de tonalité NE567", true},
    {"SiteName", "Vireldo Électronique", true},
    {"SupplyInput", "+9V", true},
    {"Regulator", "78L05", true},
    {"Decoder", "567", true},
    {"DecoderEquivalents", "(NE567, XR567)", true},
    {"SignalInput", "In (Vin)", true},
    {"Output", "Out", true},
    {"InputLevelNote", "25 mV à 200 mV", false},
    {"FrequencyFormulaNote", "F0 = 1 / (R1 × C1)", false},
    {"AdvisedR1Note", "2 kΩ à 20 kΩ", false},
};

class SchematicText : public ::testing::TestWithParam<RequiredText> {};

TEST_P(SchematicText, IsWrittenOnTheDiagram) {
    const QString wanted = QString::fromUtf8(GetParam().text);
    const auto& texts = Schematic().texts;
    ASSERT_FALSE(texts.empty());
    const bool found = std::any_of(texts.begin(), texts.end(), [&](const SvgText& t) {
        return GetParam().whole ? t.content == wanted : t.content.contains(wanted);
    });
    EXPECT_TRUE(found) << "no text " << (GetParam().whole ? "reads " : "contains ")
                       << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Diagram, SchematicText, ::testing::ValuesIn(kRequiredTexts),
                         [](const ::testing::TestParamInfo<RequiredText>& row) {
                             return std::string(row.param.name);
                         });

// Two texts are read together when they are written next to each other: a component's reference
// beside its value, a pin's number beside its name.
struct TextPair {
    const char* name;
    const char* first;
    const char* second;
    double maxDx;
    double maxDy;
};

// Names the row in test listings and failure messages.
void PrintTo(const TextPair& row, std::ostream* out) {
    *out << row.name;
}

const TextPair kPairs[] = {
    // Components: the reference and the value printed beside it.
    {"U2Is78L05", "U2", "78L05", 10, 50},
    {"R1Is10K", "R1", "10K", 10, 25},
    {"R2Is4K7", "R2", "4K7", 10, 25},
    {"C1Is100n", "C1", "100n", 40, 10},
    {"C2Is1u", "C2", "1u", 10, 25},
    {"C3Is10u", "C3", "10u", 10, 25},
    {"C4Is22n", "C4", "22n", 10, 50},
    {"C5Is10u", "C5", "10u", 10, 25},
    {"C6Is1u", "C6", "1u", 10, 25},
    {"U1Is567", "U1", "567", 10, 100},
    // The 567's pins: number beside name.
    {"U1Pin1CS", "1", "CS", 30, 20},
    {"U1Pin2CB", "2", "CB", 30, 20},
    {"U1Pin3IN", "3", "IN", 30, 20},
    {"U1Pin4VCC", "4", "VCC", 30, 20},
    {"U1Pin5R", "5", "R", 30, 20},
    {"U1Pin6RC", "6", "RC", 30, 20},
    {"U1Pin7GND", "7", "GND", 30, 20},
    {"U1Pin8OUT", "8", "OUT", 30, 20},
    // The 78L05's pins.
    {"U2Pin1VO", "1", "VO", 30, 20},
    {"U2Pin2GND", "2", "GND", 30, 20},
    {"U2Pin3VI", "3", "VI", 30, 20},
};

class SchematicPair : public ::testing::TestWithParam<TextPair> {};

TEST_P(SchematicPair, IsWrittenSideBySide) {
    const TextPair& pair = GetParam();
    const auto& texts = Schematic().texts;
    ASSERT_FALSE(texts.empty());
    bool firstFound = false;
    bool secondFound = false;
    bool together = false;
    for (const SvgText& a : texts) {
        if (a.content != QString::fromUtf8(pair.first)) {
            continue;
        }
        firstFound = true;
        for (const SvgText& b : texts) {
            if (b.content != QString::fromUtf8(pair.second)) {
                continue;
            }
            secondFound = true;
            together = together ||
                       (std::abs(a.x - b.x) <= pair.maxDx && std::abs(a.y - b.y) <= pair.maxDy);
        }
    }
    ASSERT_TRUE(firstFound) << "no text reads " << pair.first;
    ASSERT_TRUE(secondFound) << "no text reads " << pair.second;
    EXPECT_TRUE(together) << pair.first << " and " << pair.second << " are written apart";
}

INSTANTIATE_TEST_SUITE_P(Diagram, SchematicPair, ::testing::ValuesIn(kPairs),
                         [](const ::testing::TestParamInfo<TextPair>& row) {
                             return std::string(row.param.name);
                         });

// ---- where the title and the notes are ------------------------------------------------------

struct Placement {
    const char* name;
    const char* id;
    QRectF region; // picture pixels
};

// Names the row in test listings and failure messages.
void PrintTo(const Placement& row, std::ostream* out) {
    *out << row.name;
}

const QRectF kTopRight(kPictureWidth / 2.0, 0, kPictureWidth / 2.0, 70);
const QRectF kBottomLeft(0, kPictureHeight * 0.75, kPictureWidth / 2.0, kPictureHeight * 0.25);

const Placement kPlacements[] = {
    {"TitleTopRight", "title", kTopRight},
    {"SiteNameTopRight", "site", kTopRight},
    {"InputLevelNoteBottomLeft", "note-level", kBottomLeft},
    {"FormulaNoteBottomLeft", "note-formula", kBottomLeft},
    {"AdvisedR1NoteBottomLeft", "note-r1", kBottomLeft},
};

class SchematicPlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(SchematicPlacement, LiesInItsCorner) {
    QSvgRenderer renderer(kSchematic);
    const QString id = QString::fromUtf8(GetParam().id);
    ASSERT_TRUE(renderer.elementExists(id)) << GetParam().id;
    const QRectF bounds = DrawnBounds(renderer, id);
    ASSERT_FALSE(bounds.isEmpty()) << GetParam().id;
    EXPECT_TRUE(GetParam().region.contains(bounds))
        << GetParam().id << " is drawn at " << bounds.x() << "," << bounds.y() << " "
        << bounds.width() << "x" << bounds.height();
}

INSTANTIATE_TEST_SUITE_P(Diagram, SchematicPlacement, ::testing::ValuesIn(kPlacements),
                         [](const ::testing::TestParamInfo<Placement>& row) {
                             return std::string(row.param.name);
                         });

TEST(SchematicPlacement, SiteNameIsUnderTheTitle) {
    QSvgRenderer renderer(kSchematic);
    const QRectF title = DrawnBounds(renderer, "title");
    const QRectF site = DrawnBounds(renderer, "site");
    ASSERT_FALSE(title.isEmpty());
    ASSERT_FALSE(site.isEmpty());
    EXPECT_GE(site.top(), title.center().y());
    EXPECT_LE(site.top() - title.bottom(), 20.0);
}

// ---- the three values that the window's labels cover ----------------------------------------

struct CoveredValue {
    const char* label;
    const char* id;
    const char* printed;
    double left; // twips, as the window places the label
    double top;
    double designWidth;
};

// Names the row in test listings and failure messages.
void PrintTo(const CoveredValue& row, std::ostream* out) {
    *out << row.label;
}

const CoveredValue kCoveredValues[] = {
    {"LblR1", "value-R1", "10K", 10695, 5520, 285},
    {"LblC2", "value-C2", "1u", 5700, 5685, 255},
    {"LblC1", "value-C1", "100n", 11430, 6600, 255},
};

class LabelOnDiagram : public ::testing::TestWithParam<CoveredValue> {};

TEST_P(LabelOnDiagram, CoversThePrintedValue) {
    const CoveredValue& row = GetParam();
    const QString id = QString::fromUtf8(row.id);
    const SvgText* text = TextWithId(id);
    ASSERT_NE(text, nullptr) << "no text with id " << row.id;
    EXPECT_EQ(text->content, QString::fromUtf8(row.printed));

    // Qt 6.4 gives text elements real bounds (advance width by ascent plus descent), so the
    // box is the one the renderer paints, not an estimate.
    QSvgRenderer renderer(kSchematic);
    const QRectF value = PictureToTwips(DrawnBounds(renderer, id));
    ASSERT_FALSE(value.isEmpty()) << row.id;
    const QRectF label(row.left, row.top, row.designWidth, kLabelHeight);

    EXPECT_TRUE(value.intersects(label))
        << row.printed << " is drawn at " << value.x() << "," << value.y() << " twips, "
        << value.width() << "x" << value.height() << "; " << row.label << " is at " << row.left
        << "," << row.top;

    // Mostly inside the label's height, so that the label's white hides it.
    const double overlapTop = std::max(value.top(), label.top());
    const double overlapBottom = std::min(value.bottom(), label.bottom());
    const double covered = std::max(0.0, overlapBottom - overlapTop) / value.height();
    EXPECT_GE(covered, 0.8) << row.printed << ": only " << covered * 100
                            << "% of its height lies within the label's";

    // The text begins where the label begins: the label grows to the right only, so anything
    // left of its edge would stay visible beside the user's value.
    EXPECT_GE(value.left(), label.left() - 30.0) << row.printed << " starts left of " << row.label;
    EXPECT_LE(value.left(), label.right()) << row.printed << " starts right of " << row.label;
}

TEST_P(LabelOnDiagram, HidesNothingButThePrintedValue) {
    const CoveredValue& row = GetParam();
    QSvgRenderer renderer(kSchematic);
    const QRectF value = DrawnBounds(renderer, QString::fromUtf8(row.id));
    ASSERT_FALSE(value.isEmpty()) << row.id;
    // One pixel of slack for the smoothing around the glyphs.
    const QRectF allowed = value.adjusted(-1, -1, 1, 1);
    const QRectF label = TwipsToPicture(QRectF(row.left, row.top, kUsualLabelWidth, kLabelHeight));

    const QImage image = Rendered();
    int strays = 0;
    QPoint firstStray;
    for (int y = static_cast<int>(label.top()); y <= static_cast<int>(label.bottom()); ++y) {
        for (int x = static_cast<int>(label.left()); x <= static_cast<int>(label.right()); ++x) {
            const QPointF centre(x + 0.5, y + 0.5);
            if (!label.contains(centre) || allowed.contains(centre) || x >= kPictureWidth ||
                y >= kPictureHeight) {
                continue;
            }
            if (image.pixel(x, y) != qRgba(255, 255, 255, 255)) {
                if (strays++ == 0) {
                    firstStray = QPoint(x, y);
                }
            }
        }
    }
    EXPECT_EQ(strays, 0) << row.label << " would hide " << strays
                         << " drawn pixels besides the value, the first at " << firstStray.x()
                         << "," << firstStray.y();
}

INSTANTIATE_TEST_SUITE_P(Schematic, LabelOnDiagram, ::testing::ValuesIn(kCoveredValues),
                         [](const ::testing::TestParamInfo<CoveredValue>& row) {
                             return std::string(row.param.label);
                         });

} // namespace
} // namespace assets_test
