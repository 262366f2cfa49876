#include "ui/preferences/FullNameToolTip.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace korvane {

namespace {

// As long as the main window's tooltips.
constexpr int kToolTipMilliseconds = 30000;

}  // namespace

FullNameToolTip::FullNameToolTip(QComboBox& box) : QObject(&box), box_(box) {
    box.installEventFilter(this);
    box.setToolTipDuration(kToolTipMilliseconds);
}

bool FullNameToolTip::IsCut(const QComboBox& box) {
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = box.isEditable();
    const QRect field = box.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, &box);
    // The styles draw the entry a pixel in from each side of that field.
    return box.fontMetrics().horizontalAdvance(box.currentText()) > field.width() - 2;
}

bool FullNameToolTip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &box_ && event->type() == QEvent::ToolTip)
        box_.setToolTip(IsCut(box_) ? box_.currentText() : QString());
    // The box shows the tooltip, or none, itself.
    return QObject::eventFilter(watched, event);
}

}  // namespace korvane
