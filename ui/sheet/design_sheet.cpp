#include "ui/sheet/design_sheet.h"

#include <QRegularExpression>
#include <cstring>
#include <langinfo.h>

namespace ui {

// Qt's locale knows no paper, and its measurement system calls French Canada metric, where the
// paper is Letter: LC_PAPER is the setting that says which paper the user has.
QPageSize LocalePaperSize() {
#ifdef __GLIBC__
    // glibc hands these numbers (millimetres) over in the bytes of the pointer.
    const auto millimetres = [](nl_item item) {
        const char* value = nl_langinfo(item);
        unsigned int word = 0;
        std::memcpy(&word, &value, sizeof word);
        return word;
    };
    if (millimetres(_NL_PAPER_WIDTH) == 216 && millimetres(_NL_PAPER_HEIGHT) == 279) {
        return QPageSize(QPageSize::Letter);
    }
#endif
    return QPageSize(QPageSize::A4);
}

QString DefaultFileName(const DesignSheet& sheet) {
    const SheetResult& f0 = sheet.centreFrequency;
    QString figure = f0.caption;
    figure.remove(QStringLiteral(" Hz"));
    figure.remove(QRegularExpression(QStringLiteral("[^0-9,+-]")));
    if (f0.state != calc::CaptionCheck::State::Current || figure.isEmpty()) {
        return QStringLiteral("decodeur-567.pdf");
    }
    return QStringLiteral("decodeur-567-") + figure + QStringLiteral("Hz.pdf");
}

} // namespace ui
