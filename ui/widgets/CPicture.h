#pragma once

#include <QImage>
#include <QString>

#include <cstddef>

class QPaintDevice;
class QPainter;
class QRect;
class QWidget;

namespace korvane {

class DesktopServices;

// Holds one GIF picture from the program's resources and draws it stretched into a rectangle.
// Failures are reported once, when loading, with a "CPicture Error" message box; an empty
// holder draws nothing and its owner works on.
class CPicture {
  public:
    // Messages go through `services`, owned by `messageOwner` (the window that shows the picture).
    explicit CPicture(DesktopServices& services, QWidget* messageOwner = nullptr);
    virtual ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // Loads resource `name` of `type`, i.e. the Qt resource ":/<type>/<name>"; sizes in
    // pixels at 96 dots per inch. A resource "<name>@2x" of twice the size, where there is one,
    // is what Draw() uses on screens of double density or more.
    bool LoadFromResource(const QString& name, const QString& type = QStringLiteral("GIF"));
    // Builds the picture from a copy of `size` bytes.
    bool LoadFromMemory(const void* bytes, std::size_t size);
    // Sizes in pixels of that device (printers count as 96 dots per inch).
    bool MeasureOnDevice(const QPaintDevice* device);
    // Draws the whole picture stretched into `rect`; false without a picture or painter.
    bool Draw(QPainter* painter, const QRect& rect) const;
    void Free();

    bool IsLoaded() const { return !picture_.isNull(); }
    int Height() const { return height_; }
    int Width() const { return width_; }
    std::size_t Size() const { return size_; }

  private:
    void ShowError(const char* message) const;
    void LoadSharpVariant(const QString& resourcePath);
    // The picture's extent in 0.01 mm, as the system picture object reports it.
    int HimetricWidth() const;
    int HimetricHeight() const;

    DesktopServices& services_;
    QWidget* messageOwner_;
    QImage picture_;
    QImage sharp_;  // twice the pixels of picture_, or null
    int height_ = 0;
    std::size_t size_ = 0;
    int width_ = 0;
};

}  // namespace korvane
