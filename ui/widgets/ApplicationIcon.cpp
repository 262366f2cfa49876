#include "ui/widgets/ApplicationIcon.h"

namespace korvane {

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/korvane-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace korvane
