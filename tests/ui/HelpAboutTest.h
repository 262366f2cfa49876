#pragma once

#include <QObject>

namespace korvane::test {

class HelpAboutTest : public QObject {
    Q_OBJECT
  private slots:
    void helpShowsFourBoldSectionsInOrder_data();
    void helpShowsFourBoldSectionsInOrder();
    void aboutShowsItsTextsAndOpensBothPages();
    void aboutBannerHangsBelowTheLineAtItsOwnSize();
    void aboutWithoutBannerReportsOnceAndWorks();
    void aboutWithoutBrowserStaysSilent();
    void addressStaysReadableOnDarkBackgrounds();
    void manualPagesComeFromTheNearestCopy_data();
    void manualPagesComeFromTheNearestCopy();
};

}  // namespace korvane::test
