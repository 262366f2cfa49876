#include "HelpAboutTest.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QUrl>

#include "RecordingDesktopServices.h"
#include "app/ProfileStore.h"
#include "ui/app/ManualAddresses.h"
#include "ui/dialogs/CAboutDlg.h"
#include "ui/dialogs/CHelpDialog.h"
#include "ui/dialogs/LinkLabel.h"

namespace korvane::test {

namespace {

const WebAddresses kAddresses{QStringLiteral("file:///opt/korvane/manual/index.html"),
                              QStringLiteral("file:///opt/korvane/manual/product.html")};

struct Section {
    QString heading;
    QString body;
};

// The text box's sections: every bold run is a heading; the text up to the next heading is
// its body. Also checks that a heading stands alone on its line, followed by a blank line.
QList<Section> Sections(const QTextDocument* document) {
    QList<Section> sections;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        bool bold = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().fontWeight() >= QFont::Bold) {
                bold = true;
                if (fragment.text() != block.text() || fragment.charFormat().fontItalic() ||
                    fragment.charFormat().fontUnderline()) {
                    return {};
                }
            }
        }
        if (bold) {
            if (!block.next().isValid() || !block.next().text().isEmpty())
                return {};
            sections.push_back(Section{block.text(), QString()});
            block = block.next();
        } else if (!sections.isEmpty()) {
            sections.back().body += block.text() + QLatin1Char('\n');
        }
    }
    return sections;
}

void ClickCentre(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

}  // namespace

void HelpAboutTest::helpShowsFourBoldSectionsInOrder_data() {
    QTest::addColumn<QString>("settingsPath");
    QTest::addColumn<QString>("named");
    QTest::newRow("settings file") << "/home/ana/.config/korvane/Tabrivo.ini"
                                   << "/home/ana/.config/korvane/Tabrivo.ini";
    QTest::newRow("no place for one") << ""
                                      << "KORVANE_SETTINGS";
}

void HelpAboutTest::helpShowsFourBoldSectionsInOrder() {
    QFETCH(QString, settingsPath);
    QFETCH(QString, named);
    const ProfileStore settings(settingsPath.toStdString());
    CHelpDialog dialog(settings);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Help"));
    auto* text = dialog.findChild<QTextEdit*>(QStringLiteral("helpText"));
    QVERIFY(text->isReadOnly());

    const QList<Section> sections = Sections(text->document());
    QStringList headings;
    for (const Section& section : sections)
        headings.push_back(section.heading);
    QCOMPARE(headings, (QStringList{"Use", "Find", "Preferences", "Customizations"}));
    for (const Section& section : sections)
        QVERIFY2(!section.body.trimmed().isEmpty(), qPrintable(section.heading));

    const QString use = sections[0].body;
    for (const char* example :
         {"as Decimal, e.g. 1.75\n", "as Exponent, e.g. 1.2e-5\n",
          "as Partial Fraction, e.g. 7/8 \n", "as Mixed Fraction, e.g. 2+3/4  (for 2\u00be)\n",
          "as Mixed Expression, e.g. sin(-50.01+10^(sin(-0.1/21.11)-(cos(12)^0.1)^3.11))\n"}) {
        QVERIFY2(use.contains(QString::fromUtf8(example)), example);
    }
    QVERIFY(use.contains(QStringLiteral("Ctrl + I")));
    QVERIFY(sections[1].body.contains(QStringLiteral("Ctrl + F")));
    for (const char* page : {"(Visible Categories)", "(General)", "(Custom)"})
        QVERIFY(sections[2].body.contains(QString::fromLatin1(page)));
    const QString customizations = sections[3].body;
    QVERIFY(customizations.contains(named));
    QVERIFY(!customizations.contains(QStringLiteral("root of the drive")));
    QVERIFY(customizations.contains(QStringLiteral("custom category also removes")));

    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void HelpAboutTest::aboutShowsItsTextsAndOpensBothPages() {
    RecordingDesktopServices services;
    CAboutDlg dialog(services, kAddresses);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About Korvane Unit Converter"));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("versionText"))->text(),
             QStringLiteral("Korvane Unit Converter Version 5.3"));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("visitText"))->text(),
             QStringLiteral("For more information and complete terms of use visit :"));
    QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("aboutIcon"))->pixmap().isNull());

    // The statement's three points.
    auto* terms = dialog.findChild<QPlainTextEdit*>(QStringLiteral("termsText"));
    QVERIFY(terms->isReadOnly());
    const QString statement = terms->toPlainText();
    for (const char* point :
         {"free", "commercial", "spy-ware", "ad-ware", "no server", "no liability"}) {
        QVERIFY2(statement.contains(QString::fromLatin1(point)), point);
    }

    auto* address = dialog.findChild<LinkLabel*>(QStringLiteral("productAddress"));
    QCOMPARE(address->text(), kAddresses.product);
    QCOMPARE(address->cursor().shape(), Qt::PointingHandCursor);
    const QColor colour = address->palette().color(QPalette::WindowText);
    QCOMPARE(colour, address->linkColour());
    QVERIFY(colour.blue() == 255 && colour.red() < 128 && colour.green() < 192);
    QWidget* banner = dialog.findChild<QWidget*>(QStringLiteral("banner"));
    QCOMPARE(banner->cursor().shape(), Qt::PointingHandCursor);

    ClickCentre(address);
    ClickCentre(banner);
    QCOMPARE(services.urls, (QStringList{kAddresses.product, kAddresses.home}));
    QVERIFY(services.messages.empty());

    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void HelpAboutTest::aboutBannerHangsBelowTheLineAtItsOwnSize() {
    RecordingDesktopServices services;
    for (const int points : {6, 9, 20}) {
        QWidget owner;
        QFont font = owner.font();
        font.setPointSize(points);
        owner.setFont(font);
        CAboutDlg dialog(services, kAddresses, &owner);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QWidget* rule = dialog.findChild<QFrame*>(QStringLiteral("versionRule"));
        QWidget* banner = dialog.findChild<QWidget*>(QStringLiteral("banner"));
        QCOMPARE(banner->size(), QSize(250, 57));
        const QPoint under = rule->mapTo(&dialog, QPoint(0, rule->height()));
        QCOMPARE(banner->mapTo(&dialog, QPoint(0, 0)), under + QPoint(0, 20));
        // The banner really is drawn: its middle is not the dialog's background.
        const QImage picture = banner->grab().toImage();
        QVERIFY(picture.pixelColor(125, 28) != dialog.palette().color(QPalette::Window));
    }
    QVERIFY(services.messages.empty());
}

void HelpAboutTest::aboutWithoutBannerReportsOnceAndWorks() {
    RecordingDesktopServices services;
    CAboutDlg dialog(services, kAddresses, nullptr, QStringLiteral("999"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.grab();
    dialog.repaint();
    QCOMPARE(services.messages.size(), std::size_t{1});
    QCOMPARE(services.messages[0].caption, QStringLiteral("CPicture Error"));
    QCOMPARE(services.messages[0].text, QStringLiteral("FindResource() Failed\t"));
    ClickCentre(dialog.findChild<LinkLabel*>(QStringLiteral("productAddress")));
    QCOMPARE(services.urls, QStringList{kAddresses.product});
    QCOMPARE(services.messages.size(), std::size_t{1});
}

void HelpAboutTest::aboutWithoutBrowserStaysSilent() {
    RecordingDesktopServices services;
    services.browserAvailable = false;
    CAboutDlg dialog(services, kAddresses);
    dialog.show();
    ClickCentre(dialog.findChild<QWidget*>(QStringLiteral("banner")));
    ClickCentre(dialog.findChild<LinkLabel*>(QStringLiteral("productAddress")));
    QCOMPARE(services.urls.size(), 2);
    QVERIFY(services.messages.empty());
    QVERIFY(dialog.isVisible());
}

}  // namespace korvane::test

namespace korvane::test {

void HelpAboutTest::addressStaysReadableOnDarkBackgrounds() {
    RecordingDesktopServices services;
    CAboutDlg dialog(services, kAddresses);
    QPalette dark = dialog.palette();
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x24));
    dialog.setPalette(dark);
    auto* address = dialog.findChild<LinkLabel*>(QStringLiteral("productAddress"));
    const QColor colour = address->palette().color(QPalette::WindowText);
    // Still a blue, but light enough to read on the dark window.
    QVERIFY(colour.blue() > colour.red() && colour.blue() > colour.green());
    QVERIFY(colour.lightness() > 140);
    QCOMPARE(address->palette().color(QPalette::Window), dark.color(QPalette::Window));
}

void HelpAboutTest::manualPagesComeFromTheNearestCopy_data() {
    QTest::addColumn<QStringList>("copies");  // of "override", "beside", "installed"
    QTest::addColumn<QString>("homeOverride");
    QTest::addColumn<QString>("expectedDir");
    QTest::addColumn<QString>("expectedHome");

    const QStringList all{"override", "beside", "installed"};
    QTest::newRow("asked for in the environment") << all << ""
                                                  << "elsewhere/manual"
                                                  << "";
    QTest::newRow("installed beside the program") << QStringList{"beside", "installed"} << ""
                                                  << "prefix/share/doc/manual"
                                                  << "";
    QTest::newRow("installed at the prefix") << QStringList{"installed"} << ""
                                             << "installed/manual"
                                             << "";
    QTest::newRow("no manual anywhere") << QStringList{} << ""
                                        << "installed/manual"
                                        << "";
    QTest::newRow("configured home page") << all << "https://example.org/"
                                          << "elsewhere/manual"
                                          << "https://example.org/";
}

void HelpAboutTest::manualPagesComeFromTheNearestCopy() {
    QFETCH(QStringList, copies);
    QFETCH(QString, homeOverride);
    QFETCH(QString, expectedDir);
    QFETCH(QString, expectedHome);
    QTemporaryDir root;
    const auto place = [&](const QString& relative) { return root.filePath(relative); };
    const QMap<QString, QString> dirs{{"beside", place("prefix/share/doc/manual")},
                                      {"installed", place("installed/manual")},
                                      {"override", place("elsewhere/manual")}};
    for (const QString& copy : copies) {
        QVERIFY(QDir().mkpath(dirs[copy]));
        QFile page(QDir{dirs[copy]}.filePath(QStringLiteral("index.html")));
        QVERIFY(page.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir().mkpath(place("prefix/bin")));

    ManualPlaces places;
    places.programDir = place("prefix/bin");
    places.fromProgramDir = QStringLiteral("../share/doc/manual");
    places.installDir = dirs["installed"];
    places.overrideDir = dirs["override"];
    places.homeOverride = homeOverride;
    const WebAddresses addresses = ResolveWebAddresses(places);

    const QString dir = QUrl::fromLocalFile(place(expectedDir)).toString();
    QCOMPARE(addresses.home, expectedHome.isEmpty() ? dir + "/index.html" : expectedHome);
    QCOMPARE(addresses.product, dir + "/about.html");
}

}  // namespace korvane::test
