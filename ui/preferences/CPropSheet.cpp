#include "ui/preferences/CPropSheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/preferences/CCustom.h"
#include "ui/preferences/CGeneral.h"
#include "ui/preferences/CResults.h"
#include "ui/preferences/CVisible.h"
#include "ui/widgets/FocusMarking.h"

namespace korvane {

CPropSheet::CPropSheet(const PreferencesContext& context, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("preferencesSheet"));
    KeepFocusMarked(*this);
    setWindowTitle(QStringLiteral("Preferences"));
    // Caption and close box only: the sheet has one size.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);
    // The main window's font, so the sheet looks like part of the same program.
    if (parent != nullptr)
        setFont(parent->font());
    createPages(context);
    createLayout();
    // The size is settled before the sheet has a window of its own.
    layout()->activate();
}

CPropSheet::~CPropSheet() = default;

void CPropSheet::createPages(const PreferencesContext& context) {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("preferencesTabs"));
    tabs_->setAccessibleName(QStringLiteral("Preferences pages"));
    // The pages carry their own group frames; without a second frame around them the sheet
    // also opens in a third less time (the frame is the largest area the style paints).
    tabs_->setDocumentMode(true);
    general_ = new CGeneral(context, tabs_);
    results_ = new CResults(context, tabs_);
    visible_ = new CVisible(context, tabs_);
    custom_ = new CCustom(context, tabs_);
    tabs_->addTab(general_, QStringLiteral("General"));
    tabs_->addTab(results_, QStringLiteral("Result Format"));
    tabs_->addTab(visible_, QStringLiteral("Visible Categories"));
    tabs_->addTab(custom_, QStringLiteral("Custom"));
    tabs_->setCurrentIndex(0);
}

void CPropSheet::createLayout() {
    // Plain buttons, like the rest of the program's: the desktop's standard icons would cost
    // a theme lookup at every opening.
    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("sheetButtons"));
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CPropSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPropSheet::reject);

    auto* root = new QVBoxLayout(this);
    root->addWidget(tabs_);
    root->addWidget(buttons);
    // As large as the largest page, and not resizable.
    root->setSizeConstraint(QLayout::SetFixedSize);
}

void CPropSheet::accept() {
    for (int tab = 0; tab < tabs_->count(); ++tab) {
        if (auto* page = qobject_cast<PreferencesPage*>(tabs_->widget(tab));
            page != nullptr && page->isBuilt()) {
            page->OnOK();
        }
    }
    QDialog::accept();
}

}  // namespace korvane
