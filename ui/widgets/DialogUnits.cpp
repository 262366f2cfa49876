#include "ui/widgets/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

namespace korvane {

int DialogUnitsX(const QFont& font, int units) {
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    return (units * baseX + 2) / 4;
}

int DialogUnitsY(const QFont& font, int units) {
    const int baseY = QFontMetrics(font).height();
    return (units * baseY + 4) / 8;
}

}  // namespace korvane
