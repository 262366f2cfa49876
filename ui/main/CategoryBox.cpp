#include "ui/main/CategoryBox.h"

#include <QApplication>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QStringList>
#include <QStyleOptionComboBox>
#include <QToolTip>

#include <algorithm>

#include "ui/widgets/PlainToolTip.h"

namespace korvane {

namespace {

// Enough rows to find a category at a glance; the list scrolls for the rest.
constexpr int kVisibleCategories = 12;

// The application's style, except that the box's list drops down below it.
class DropDownListStyle final : public QProxyStyle {
  public:
    DropDownListStyle() : QProxyStyle(QApplication::style()->name()) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The style draws the text one pixel in from each side of its field.
constexpr int kTextInset = 2;

}  // namespace

CategoryBox::CategoryBox(QWidget* parent) : QComboBox(parent) {
    auto* style = new DropDownListStyle;
    style->setParent(this);
    setStyle(style);
    setMaxVisibleItems(kVisibleCategories);
    setInsertPolicy(QComboBox::NoInsert);
}

int CategoryBox::textWidthAt(int boxWidth) const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.rect = QRect(0, 0, boxWidth, sizeHint().height());
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return field.width() - kTextInset;
}

void CategoryBox::fitNames(const QStringList& names, int minimumWidth) {
    int widest = 0;
    for (const QString& name : names)
        widest = std::max(widest, fontMetrics().horizontalAdvance(name));
    const int shortfall = widest - textWidthAt(minimumWidth);
    setFixedWidth(std::clamp(minimumWidth + shortfall, minimumWidth, 2 * minimumWidth));
}

bool CategoryBox::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QComboBox::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    if (fontMetrics().horizontalAdvance(currentText()) > textWidthAt(width())) {
        QToolTip::showText(help->globalPos(), PlainToolTip(currentText()), this);
    } else {
        QToolTip::hideText();
    }
    return true;
}

}  // namespace korvane
