#include "ui/preferences/PreferencesPage.h"

#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/widgets/DialogUnits.h"

namespace korvane {

namespace {

// The templates' page size; a page grows beyond it only when its texts need more room.
constexpr int kPageWidth = 249;
constexpr int kPageHeight = 162;

// Controls made while the sheet is open come last in the Tab order, after the sheet's buttons.
// They belong right after the page's tab: after the nearest control before the page.
void PlaceInTabOrder(QWidget& page, QWidget& content) {
    QWidget* anchor = page.previousInFocusChain();
    while (anchor != &page && (anchor->focusPolicy() == Qt::NoFocus || page.isAncestorOf(anchor)))
        anchor = anchor->previousInFocusChain();
    if (anchor == &page)
        return;
    // The new controls follow `content` in the chain, in the order they were made.
    QList<QWidget*> controls;
    for (QWidget* w = content.nextInFocusChain(); content.isAncestorOf(w);
         w = w->nextInFocusChain()) {
        const bool partOfAnother = std::any_of(controls.begin(), controls.end(),
                                               [w](QWidget* c) { return c->isAncestorOf(w); });
        if (w->focusPolicy() != Qt::NoFocus && !partOfAnother)
            controls.push_back(w);
    }
    for (QWidget* control : controls) {
        QWidget::setTabOrder(anchor, control);
        anchor = control;
    }
}

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
    PlaceInTabOrder(*this, *content);
    layout()->addWidget(content);
    content->show();
    OnInitDialog();
    // Laid out now, not on the next pass of the event loop, so the page is never seen or
    // measured half-arranged.
    content->layout()->activate();
    layout()->activate();
}

}  // namespace korvane
