#pragma once

#include <QObject>

namespace korvane::test {

class PictureTest : public QObject {
    Q_OBJECT
  private slots:
    void loadsTheProgramsPicturesAtTheirSize();
    void drawsStretchedIntoTheRectangle();
    void missingResourceIsReportedOnceAndDrawsNothing();
    void startUpMessageIsCentredOnTheWindowsScreen();
    void undecodableDataLeavesTheHolderEmpty();
    void secondLoadReplacesTheFirstAndFreeEmpties();
    void failedLoadDropsTheHeldPicture();
    void measuresOnTheDevicesResolution();
    void doubleDensityDrawsTheSharpPicture();
};

}  // namespace korvane::test
