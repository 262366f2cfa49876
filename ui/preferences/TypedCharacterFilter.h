#pragma once

#include <QObject>
#include <QString>

class QEvent;

namespace korvane {

// Lets only the given characters be typed into the widgets it watches: a typed character
// outside the set is dropped before the widget sees it. Editing keys, shortcuts (Ctrl+V among
// them) and whatever a paste or a drop brings in pass untouched; the reader of the text decides
// about those.
class TypedCharacterFilter final : public QObject {
    Q_OBJECT
  public:
    TypedCharacterFilter(QString allowed, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool allows(const QString& typed) const;
    bool filterInputMethod(QObject* watched, QEvent* event) const;

    QString allowed_;
};

}  // namespace korvane
