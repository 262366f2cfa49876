#include "PictureTest.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "RecordingDesktopServices.h"
#include "platform/QtDesktopServices.h"
#include "ui/widgets/CPicture.h"

namespace korvane::test {

void PictureTest::loadsTheProgramsPicturesAtTheirSize() {
    RecordingDesktopServices services;
    CPicture banner(services);
    QVERIFY(banner.LoadFromResource(QStringLiteral("186")));
    QCOMPARE(banner.Width(), 250);
    QCOMPARE(banner.Height(), 57);
    QVERIFY(banner.Size() > 0);
    CPicture invert(services);
    QVERIFY(invert.LoadFromResource(QStringLiteral("190"), QStringLiteral("GIF")));
    QCOMPARE(invert.Width(), 32);
    QCOMPARE(invert.Height(), 32);
    QVERIFY(services.messages.empty());
}

// On a screen of double density the picture of twice the pixels is drawn pixel for pixel,
// not the small one stretched.
void PictureTest::doubleDensityDrawsTheSharpPicture() {
    RecordingDesktopServices services;
    for (const char* name : {"186", "190"}) {
        CPicture picture(services);
        QVERIFY(picture.LoadFromResource(QString::fromLatin1(name)));
        const QSize size(picture.Width(), picture.Height());
        QImage sharp;
        QVERIFY(sharp.load(QStringLiteral(":/GIF/%1@2x").arg(QString::fromLatin1(name))));
        QCOMPARE(sharp.size(), size * 2);
        sharp = sharp.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        sharp.setDevicePixelRatio(1.0);  // Qt reads "@2x" in the name as a ratio of 2

        const auto draw = [&](qreal ratio) {
            QImage target((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
            target.setDevicePixelRatio(ratio);
            target.fill(Qt::transparent);
            QPainter painter(&target);
            picture.Draw(&painter, QRect(QPoint(0, 0), size));
            return target;
        };
        QImage dense = draw(2.0);
        dense.setDevicePixelRatio(1.0);
        QCOMPARE(dense, sharp);
        // The plain screen still gets the picture at its own size, and it is not the same.
        QImage plain = draw(1.0);
        QCOMPARE(plain.size(), size);
        QVERIFY(plain.scaled(size * 2) != sharp);
    }
    QVERIFY(services.messages.empty());
}

void PictureTest::drawsStretchedIntoTheRectangle() {
    RecordingDesktopServices services;
    CPicture banner(services);
    QVERIFY(banner.LoadFromResource(QStringLiteral("186")));
    QImage target(500, 114, QImage::Format_ARGB32);
    target.fill(Qt::transparent);
    {
        QPainter painter(&target);
        QVERIFY(banner.Draw(&painter, QRect(0, 0, 500, 114)));
    }
    // The banner is opaque in its middle: the stretched picture covers the centre.
    QCOMPARE(qAlpha(target.pixel(250, 57)), 255);
    QCOMPARE(qAlpha(target.pixel(499, 0)), 0);  // the rounded corner stays clear
    QVERIFY(!banner.Draw(nullptr, QRect(0, 0, 10, 10)));
}

void PictureTest::missingResourceIsReportedOnceAndDrawsNothing() {
    RecordingDesktopServices services;
    CPicture picture(services);
    QVERIFY(!picture.LoadFromResource(QStringLiteral("999")));
    QCOMPARE(services.messages.size(), std::size_t{1});
    QCOMPARE(services.messages[0].caption, QStringLiteral("CPicture Error"));
    QCOMPARE(services.messages[0].text, QStringLiteral("FindResource() Failed\t"));
    QCOMPARE(services.messages[0].icon, MessageIcon::Stop);
    QVERIFY(!picture.IsLoaded());
    QCOMPARE(picture.Width(), 0);
    QCOMPARE(picture.Height(), 0);

    QImage target(50, 50, QImage::Format_ARGB32);
    QPainter painter(&target);
    QVERIFY(!picture.Draw(&painter, QRect(0, 0, 50, 50)));
    QVERIFY(!picture.MeasureOnDevice(&target));
    QCOMPARE(services.messages.size(), std::size_t{1});
}

// At start-up the window that owns the message is not shown yet, so it has no place to centre
// the box on; the box goes to the middle of the screen the window will open on, through the
// real desktop services. Where the owner is shown, the box is centred on it.
void PictureTest::startUpMessageIsCentredOnTheWindowsScreen() {
    QtDesktopServices services;
    QRect shown;
    // A window manager adds its frame after the box is placed and may nudge the box, which moves
    // its centre by up to a title bar; offscreen there is no frame. A misplaced box (the corner
    // of the screen) is still hundreds of pixels away.
    const int slack = QGuiApplication::platformName() == QStringLiteral("offscreen") ? 2 : 40;
    // A window manager frames and places the box some time after it shows, later still on a
    // busy machine: the box is read once it has stayed put for three ticks.
    QTimer answer;
    QRect last;
    int steady = 0;
    QObject::connect(&answer, &QTimer::timeout, &answer, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            steady = 0;
            last = QRect();
            return;
        }
        const QRect now = box->frameGeometry();
        steady = now == last ? steady + 1 : 0;
        last = now;
        if (steady >= 3) {
            shown = now;
            steady = 0;
            last = QRect();
            box->done(QMessageBox::Ok);
        }
    });
    answer.start(20);
    for (const bool ownerShown : {false, true}) {
        QWidget owner;
        owner.setGeometry(40, 40, 200, 150);
        if (ownerShown) {
            owner.show();
            QVERIFY(QTest::qWaitForWindowExposed(&owner));
        }
        shown = QRect();
        CPicture picture(services, &owner);
        QVERIFY(!picture.LoadFromResource(QStringLiteral("999")));
        QVERIFY(shown.isValid());
        const QPoint expected = ownerShown ? owner.frameGeometry().center()
                                           : owner.screen()->availableGeometry().center();
        QVERIFY2((shown.center() - expected).manhattanLength() <= slack,
                 qPrintable(QStringLiteral("owner %1: box centred at %2,%3, not %4,%5")
                                .arg(ownerShown ? "shown" : "not shown")
                                .arg(shown.center().x())
                                .arg(shown.center().y())
                                .arg(expected.x())
                                .arg(expected.y())));
    }
}

void PictureTest::undecodableDataLeavesTheHolderEmpty() {
    RecordingDesktopServices services;
    CPicture picture(services);
    const char garbage[] = "GIF89a but not really a picture";
    QVERIFY(!picture.LoadFromMemory(garbage, sizeof garbage));
    QVERIFY(!picture.IsLoaded());
    QVERIFY(services.messages.empty());
}

void PictureTest::secondLoadReplacesTheFirstAndFreeEmpties() {
    RecordingDesktopServices services;
    CPicture picture(services);
    QVERIFY(picture.LoadFromResource(QStringLiteral("186")));
    const std::size_t bannerBytes = picture.Size();
    QVERIFY(picture.LoadFromResource(QStringLiteral("190")));
    QCOMPARE(picture.Width(), 32);
    QVERIFY(picture.Size() != bannerBytes);
    picture.Free();
    QVERIFY(!picture.IsLoaded());
    QCOMPARE(picture.Width(), 0);
    QCOMPARE(picture.Height(), 0);
    QCOMPARE(picture.Size(), std::size_t{0});
}

void PictureTest::failedLoadDropsTheHeldPicture() {
    RecordingDesktopServices services;
    CPicture picture(services);
    QVERIFY(picture.LoadFromResource(QStringLiteral("186")));
    const char garbage[] = "not a picture";
    QVERIFY(!picture.LoadFromMemory(garbage, sizeof garbage));
    QVERIFY(!picture.IsLoaded());
    QImage target(50, 50, QImage::Format_ARGB32);
    QPainter painter(&target);
    QVERIFY(!picture.Draw(&painter, QRect(0, 0, 50, 50)));

    QVERIFY(picture.LoadFromResource(QStringLiteral("190")));
    QVERIFY(!picture.LoadFromMemory(nullptr, 10));
    QCOMPARE(services.messages.size(), std::size_t{1});
    QVERIFY(!picture.IsLoaded());
    QCOMPARE(picture.Width(), 0);
}

void PictureTest::measuresOnTheDevicesResolution() {
    RecordingDesktopServices services;
    CPicture picture(services);
    QVERIFY(picture.LoadFromResource(QStringLiteral("190")));
    QImage device(10, 10, QImage::Format_ARGB32);
    device.setDotsPerMeterX(7559);  // 192 dots per inch
    device.setDotsPerMeterY(3780);  // 96
    QVERIFY(picture.MeasureOnDevice(&device));
    QCOMPARE(picture.Width(), 64);
    QCOMPARE(picture.Height(), 32);
    QVERIFY(!picture.MeasureOnDevice(nullptr));
    QCOMPARE(picture.Width(), 0);
}

}  // namespace korvane::test
