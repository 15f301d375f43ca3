#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Holds one picture loaded from a file or from the program's resources, with its size.
// Resources are found in the Qt resource system as ":/<type>/<id>" (":/JPG/260").
class COstUI_Picture {
public:
    COstUI_Picture();
    // Virtual, unlike the holder it stands for: derived controls are deleted through it.
    virtual ~COstUI_Picture();

    // 1 loaded; 0 when `skipIfSame` is set and `path` is the file already loaded (nothing is
    // read); -1 when the file is missing or cannot be read or decoded, the holder then empty.
    virtual int LoadFromFile(const QString& path, bool skipIfSame);
    // False, with the holder empty, when there is no such resource or it cannot be decoded.
    virtual bool LoadFromResource(int resourceId, const QString& resourceType);

    const QImage& Picture() const { return picture_; }
    bool IsLoaded() const { return !picture_.isNull(); }
    // The loaded file; empty for a resource or nothing.
    const QString& Path() const { return path_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    static QString ResourcePath(int resourceId, const QString& resourceType);

protected:
    bool LoadFromMemory(const QByteArray& bytes);
    void Release();

private:
    QImage picture_;
    QString path_;
    int width_ = 0;
    int height_ = 0;
};
