#include "ui/preferences/PreferencesPage.h"

#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/main/DialogUnits.h"

namespace korvane {

namespace {

// The templates' page size; a page grows beyond it only when its texts need more room.
constexpr int kPageWidth = 249;
constexpr int kPageHeight = 162;

}  // namespace

PreferencesPage::PreferencesPage(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setMinimumSize(DialogUnitsX(font(), kPageWidth), DialogUnitsY(font(), kPageHeight));
}

void PreferencesPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (built_)
        return;
    built_ = true;
    // Made hidden and shown once complete: controls added one by one to a page already on
    // the screen would appear only on the next pass of the event loop.
    auto* content = new QWidget(this);
    createControls(*content);
    layout()->addWidget(content);
    content->show();
    OnInitDialog();
    // Laid out now, not on the next pass of the event loop, so the page is never seen or
    // measured half-arranged.
    content->layout()->activate();
    layout()->activate();
}

}  // namespace korvane
