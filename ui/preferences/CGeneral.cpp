#include "ui/preferences/CGeneral.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "app/ConverterState.h"
#include "app/Settings.h"

namespace korvane {

namespace {

QCheckBox* CreateBox(const char* caption, const char* objectName, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

}  // namespace

CGeneral::CGeneral(const PreferencesContext& context, QWidget* parent)
    : PreferencesPage(parent), context_(context) {
    setObjectName(QStringLiteral("generalPage"));
}

void CGeneral::createControls(QWidget& content) {
    createWidgets(content);
    createConnections();
}

void CGeneral::createWidgets(QWidget& content) {
    auto* group = new QGroupBox(QStringLiteral("General Options  "), &content);
    group->setObjectName(QStringLiteral("generalGroup"));
    onTopBox_ = CreateBox("Always on top", "onTopBox", group);
    rememberCategoryBox_ =
        CreateBox("Remember last used category and units on startup", "rememberCategoryBox", group);
    showAbbreviationBox_ =
        CreateBox("Show abbreviations when available", "showAbbreviationBox", group);

    auto* boxes = new QVBoxLayout(group);
    boxes->addWidget(onTopBox_);
    boxes->addWidget(rememberCategoryBox_);
    boxes->addWidget(showAbbreviationBox_);
    boxes->addStretch(1);

    auto* page = new QVBoxLayout(&content);
    page->addWidget(group);
}

void CGeneral::createConnections() {
    connect(onTopBox_, &QCheckBox::clicked, this, &CGeneral::OnOnTop);
    connect(rememberCategoryBox_, &QCheckBox::clicked, this, &CGeneral::OnRememberCategory);
    connect(showAbbreviationBox_, &QCheckBox::clicked, this, &CGeneral::OnShowAbbreviation);
}

void CGeneral::OnInitDialog() {
    const ProfileStore& settings = context_.state.settings;
    m_bOnTop = ReadFlag(settings, SettingsFlag::OnTop) ? 1 : 0;
    m_bRememberCategory = ReadFlag(settings, SettingsFlag::RememberCategory) ? 1 : 0;
    // Not read from the file: the window labels its units by the flag of the running program.
    m_bShowAbbreviation = context_.state.showAbbreviation ? 1 : 0;
    showMembers();
}

void CGeneral::readBoxes() {
    m_bOnTop = onTopBox_->isChecked() ? 1 : 0;
    m_bRememberCategory = rememberCategoryBox_->isChecked() ? 1 : 0;
    m_bShowAbbreviation = showAbbreviationBox_->isChecked() ? 1 : 0;
}

void CGeneral::showMembers() {
    onTopBox_->setChecked(m_bOnTop != 0);
    rememberCategoryBox_->setChecked(m_bRememberCategory != 0);
    showAbbreviationBox_->setChecked(m_bShowAbbreviation != 0);
}

void CGeneral::writeFlag(SettingsFlag flag, int on) {
    ReportWrite(context_, WriteFlag(context_.state.settings, flag, on != 0));
}

void CGeneral::OnOnTop() {
    readBoxes();
    if (context_.setOnTop)
        context_.setOnTop(m_bOnTop != 0);
    writeFlag(SettingsFlag::OnTop, m_bOnTop);
}

void CGeneral::OnRememberCategory() {
    readBoxes();
    writeFlag(SettingsFlag::RememberCategory, m_bRememberCategory);
}

void CGeneral::OnShowAbbreviation() {
    readBoxes();
    writeFlag(SettingsFlag::ShowAbbreviation, m_bShowAbbreviation);
    // The window shows the choice the next time it labels the selected units.
    context_.state.showAbbreviation = m_bShowAbbreviation != 0;
}

}  // namespace korvane
