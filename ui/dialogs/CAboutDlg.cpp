#include "ui/dialogs/CAboutDlg.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <QVBoxLayout>
#include <algorithm>

#include <utility>

#include "KorvaneVersion.h"
#include "platform/DesktopServices.h"
#include "ui/dialogs/LinkLabel.h"
#include "ui/widgets/ApplicationIcon.h"
#include "ui/widgets/FocusMarking.h"
#include "ui/widgets/PictureControl.h"

namespace korvane {

namespace {

constexpr QSize kBannerSize(250, 57);
constexpr int kBannerGap = 20;
constexpr int kIconSize = 32;
constexpr int kIconToTextGap = 12;
constexpr int kHeadingToTermsGap = 8;
// The statement runs this much wider than the banner, unless the version line is wider still.
constexpr int kTermsBeyondBanner = 90;
// Height enough for any statement: the measured text decides the box's height.
constexpr int kUnboundedTextHeight = 10000;
// Wider addresses are shortened in the middle on screen; a click still opens the whole one.
constexpr int kMaxAddressWidth = 420;

}  // namespace

QString CAboutDlg::TermsOfUse() {
    return QStringLiteral(
        "Korvane Unit Converter is free. You may use it, copy it and give it to others, for "
        "private and for commercial work alike, without paying anything.\n"
        "It contains no spy-ware and no ad-ware, and it connects to no server unless you click "
        "one of its links.\n"
        "It comes as it is: its maker accepts no liability for any damage that results from "
        "using it or from the information it gives.");
}

CAboutDlg::CAboutDlg(DesktopServices& services, WebAddresses addresses, QWidget* parent,
                     const QString& bannerName)
    : QDialog(parent),
      services_(services),
      addresses_(std::move(addresses)),
      m_picBanner(services, this) {
    setObjectName(QStringLiteral("aboutDialog"));
    KeepFocusMarked(*this);
    setWindowTitle(QStringLiteral("About Korvane Unit Converter"));
    createWidgets();
    createLayout();
    createConnections();
    // A missing banner is reported once, here; the box opens all the same, without it.
    m_picBanner.LoadFromResource(bannerName);
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::createWidgets() {
    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("aboutIcon"));
    icon_->setPixmap(ApplicationIcon().pixmap(kIconSize, kIconSize));
    icon_->setFixedSize(kIconSize, kIconSize);

    version_ = new QLabel(
        QStringLiteral("Korvane Unit Converter Version ") + QLatin1String(config::kShortVersion),
        this);
    version_->setObjectName(QStringLiteral("versionText"));

    rule_ = new QFrame(this);
    rule_->setObjectName(QStringLiteral("versionRule"));
    rule_->setFrameShape(QFrame::HLine);
    rule_->setFrameShadow(QFrame::Sunken);

    banner_ = new PictureControl(m_picBanner, kBannerSize, this);
    banner_->setObjectName(QStringLiteral("banner"));
    banner_->setAccessibleName(QStringLiteral("Open the home page"));
    banner_->setFixedSize(kBannerSize);
    banner_->setCursor(Qt::PointingHandCursor);

    terms_ = new QPlainTextEdit(TermsOfUse(), this);
    terms_->setObjectName(QStringLiteral("termsText"));
    terms_->setAccessibleName(QStringLiteral("Terms of use"));
    terms_->setReadOnly(true);
    terms_->setFrameShape(QFrame::NoFrame);
    terms_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    terms_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Transparent: the text sits on the dialog's own background.
    QPalette transparent = terms_->palette();
    transparent.setColor(QPalette::Base, Qt::transparent);
    terms_->setPalette(transparent);
    terms_->viewport()->setAutoFillBackground(false);

    visit_ =
        new QLabel(QStringLiteral("For more information and complete terms of use visit :"), this);
    visit_->setObjectName(QStringLiteral("visitText"));

    const QString shown =
        QFontMetrics(font()).elidedText(addresses_.product, Qt::ElideMiddle, kMaxAddressWidth);
    address_ = new LinkLabel(shown, this);
    address_->setObjectName(QStringLiteral("productAddress"));
    address_->setToolTip(addresses_.product);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setDefault(true);
}

void CAboutDlg::createLayout() {
    const int textWidth =
        std::max(kBannerSize.width() + kTermsBeyondBanner, version_->sizeHint().width());
    terms_->setFixedWidth(textWidth);
    // Tall enough for the whole statement at this width and font, so it needs no scrolling.
    const int margin = static_cast<int>(terms_->document()->documentMargin());
    const QRect text = terms_->fontMetrics().boundingRect(
        QRect(0, 0, textWidth - 2 * margin - 2, kUnboundedTextHeight), Qt::TextWordWrap,
        TermsOfUse());
    terms_->setFixedHeight(text.height() + 2 * margin + terms_->fontMetrics().lineSpacing());

    // The banner hangs exactly kBannerGap pixels below the line's bottom-left corner.
    auto* heading = new QVBoxLayout;
    heading->setSpacing(0);
    heading->addWidget(version_);
    heading->addSpacing(6);
    heading->addWidget(rule_);
    heading->addSpacing(kBannerGap);
    heading->addWidget(banner_, 0, Qt::AlignLeft);

    auto* column = new QVBoxLayout;
    column->addLayout(heading);
    column->addSpacing(kHeadingToTermsGap);
    column->addWidget(terms_);
    column->addWidget(visit_);
    column->addWidget(address_);

    auto* top = new QHBoxLayout;
    top->addWidget(icon_, 0, Qt::AlignTop);
    top->addSpacing(kIconToTextGap);
    top->addLayout(column, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addSpacing(6);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);
}

void CAboutDlg::createConnections() {
    connect(okButton_, &QPushButton::clicked, this, &CAboutDlg::accept);
    connect(banner_, &PictureControl::clicked, this, &CAboutDlg::OnHomePage);
    connect(address_, &LinkLabel::clicked, this, &CAboutDlg::OnProductPage);
}

// A browser that does not start is not reported.
void CAboutDlg::OnHomePage() {
    services_.openUrl(addresses_.home);
}

void CAboutDlg::OnProductPage() {
    services_.openUrl(addresses_.product);
}

}  // namespace korvane
