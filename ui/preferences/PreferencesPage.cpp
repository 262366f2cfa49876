#include "ui/preferences/PreferencesPage.h"

#include <QShowEvent>

namespace korvane {

PreferencesPage::PreferencesPage(QWidget* parent) : QWidget(parent) {}

void PreferencesPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (built_)
        return;
    built_ = true;
    OnInitDialog();
}

}  // namespace korvane
