#include "ui/preferences/CResults.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/ConverterState.h"
#include "app/Settings.h"
#include "catalogue/ResultFormat.h"
#include "ui/widgets/DialogUnits.h"

namespace korvane {

namespace {

constexpr int kPrecisionEntries = 9;
// The preview's least width, in dialog units like the page itself.
constexpr int kPreviewWidth = 141;
constexpr int kAutoFormat = static_cast<int>(FormatMode::AutoFormat);
constexpr int kScientific = static_cast<int>(FormatMode::Scientific);
constexpr int kFixed = static_cast<int>(FormatMode::Fixed);

// The sample in the chosen format; AutoFormat shows fourteen digits here, more than the
// output box will. Nothing for a format without a radio button.
QString PreviewText(int format, int precision) {
    if (format != kAutoFormat && format != kScientific && format != kFixed)
        return QString();
    const ResultFormat chosen{static_cast<FormatMode>(format), precision};
    return QString::fromStdString(FormatPreview(kPreviewSample, chosen));
}

QFont PreviewFont() {
    QFont font(QStringLiteral("Arial"), 10, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// The widest preview the list's precisions give, so the page never changes its size.
int WidestPreview(const QFont& font) {
    const QFontMetrics metrics(font);
    int widest = metrics.horizontalAdvance(PreviewText(kAutoFormat, 0));
    for (int format : {kScientific, kFixed}) {
        widest =
            std::max(widest, metrics.horizontalAdvance(PreviewText(format, kPrecisionEntries)));
    }
    return widest;
}

}  // namespace

CResults::CResults(const PreferencesContext& context, QWidget* parent)
    : PreferencesPage(parent), context_(context) {
    setObjectName(QStringLiteral("resultsPage"));
}

void CResults::createControls(QWidget& content) {
    createWidgets(content);
    createLayout(content);
    createConnections();
}

void CResults::createWidgets(QWidget& content) {
    formatButtons_ = new QButtonGroup(this);
    const char* const captions[] = {"AutoFormat", "Scientific", "Fixed"};
    const char* const names[] = {"autoFormatButton", "scientificButton", "fixedButton"};
    for (int format = kAutoFormat; format <= kFixed; ++format) {
        auto* button = new QRadioButton(QString::fromLatin1(captions[format]), &content);
        button->setObjectName(QString::fromLatin1(names[format]));
        formatButtons_->addButton(button, format);
    }

    precisionCaption_ = new QLabel(QStringLiteral("Set decimal precision "), &content);
    precisionList_ = new QComboBox(&content);
    precisionList_->setObjectName(QStringLiteral("precisionList"));
    precisionList_->setEditable(false);
    precisionCaption_->setBuddy(precisionList_);
    precisionList_->setAccessibleName(QStringLiteral("Decimal precision"));

    preview_ = new QLabel(&content);
    preview_->setObjectName(QStringLiteral("previewText"));
    preview_->setAccessibleDescription(QStringLiteral("A result as the chosen format shows it"));
    preview_->setTextFormat(Qt::PlainText);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFont(PreviewFont());
    // A precision from a hand-edited file can be hundreds of digits long; it is cut off
    // rather than stretching the sheet.
    preview_->setMinimumWidth(
        std::max(DialogUnitsX(font(), kPreviewWidth), WidestPreview(preview_->font())));
    preview_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void CResults::createLayout(QWidget& content) {
    auto* previewGroup = new QGroupBox(QStringLiteral(" Preview "), &content);
    previewGroup->setObjectName(QStringLiteral("previewGroup"));
    // Without a name of its own a screen reader names it by the group around it.
    previewGroup->setAccessibleName(QStringLiteral("Preview"));
    auto* previewLayout = new QVBoxLayout(previewGroup);
    previewLayout->addStretch(1);
    previewLayout->addWidget(preview_);
    previewLayout->addStretch(1);

    auto* group = new QGroupBox(QStringLiteral("Select the format of the results     "), &content);
    group->setObjectName(QStringLiteral("formatGroup"));
    auto* grid = new QGridLayout(group);
    // The layouts take the controls into their group boxes.
    for (int format = kAutoFormat; format <= kFixed; ++format)
        grid->addWidget(formatButtons_->button(format), format, 0);
    auto* precisionRow = new QHBoxLayout;
    precisionRow->addWidget(precisionCaption_);
    precisionRow->addWidget(precisionList_);
    grid->addLayout(precisionRow, kFixed, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setRowMinimumHeight(3, DialogUnitsY(font(), 6));
    grid->addWidget(previewGroup, 4, 0, 1, 3);
    grid->setRowStretch(4, 1);

    auto* page = new QVBoxLayout(&content);
    page->addWidget(group);
}

void CResults::createConnections() {
    connect(formatButtons_, &QButtonGroup::idClicked, this, &CResults::UpdatePreview);
    connect(precisionList_, &QComboBox::activated, this, &CResults::OnSelchangePrecision);
}

void CResults::OnInitDialog() {
    for (int entry = 1; entry <= kPrecisionEntries; ++entry)
        precisionList_->addItem(QString::number(entry));

    // The stored choice becomes the running one at once, whatever the sheet's end.
    const ResultFormat stored = ReadResultFormat(context_.state.settings);
    context_.state.format = stored;
    m_nFormat = static_cast<int>(stored.mode);
    // Every negative precision prints alike; this keeps the index clear of overflow.
    m_nPrecisionIndex = std::max(stored.precision, -1) - 1;

    setPreview(m_nFormat, m_nPrecisionIndex + 1);
    precisionList_->setEnabled(m_nFormat != kAutoFormat);
    if (QAbstractButton* button = formatButtons_->button(m_nFormat))
        button->setChecked(true);
    // A precision outside the list's 1 to 9 leaves the list without a selection.
    const bool listed = m_nPrecisionIndex >= 0 && m_nPrecisionIndex < kPrecisionEntries;
    precisionList_->setCurrentIndex(listed ? m_nPrecisionIndex : -1);
}

void CResults::UpdatePreview(int format) {
    if (format != kAutoFormat && format != kScientific && format != kFixed)
        return;
    // No entry chosen counts as precision 0.
    setPreview(format, precisionList_->currentIndex() + 1);
    precisionList_->setEnabled(format != kAutoFormat);
}

void CResults::OnSelchangePrecision() {
    readControls();
    UpdatePreview(m_nFormat);
}

void CResults::readControls() {
    m_nFormat = formatButtons_->checkedId();
    m_nPrecisionIndex = precisionList_->currentIndex();
}

void CResults::setPreview(int format, int precision) {
    preview_->setText(PreviewText(format, precision));
}

void CResults::OnOK() {
    readControls();
    const ResultFormat chosen{static_cast<FormatMode>(m_nFormat), m_nPrecisionIndex + 1};
    ReportWrite(context_, SaveResultFormat(context_.state.settings, chosen));
}

}  // namespace korvane
