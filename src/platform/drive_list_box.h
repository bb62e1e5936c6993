#pragma once

#include <QComboBox>

#include <functional>

namespace platform {

// The roots of the mounted volumes, "/" first, one of them chosen. Choosing a
// volume in the list reaches the change handler; choosing one by code does not.
class DriveListBox : public QComboBox {
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    // Root of the chosen volume.
    QString drive() const;
    // Chooses the volume that holds path.
    void setDrive(const QString& path);
    // Reads the mounted volumes again; the chosen one stays chosen while it is mounted.
    void refresh();

    void onChange(std::function<void()> handler) { changed_ = std::move(handler); }

    // "/" first, then the other roots sorted.
    static QStringList volumeRoots();

private:
    int rowOf(const QString& root) const;
    void addRoot(const QString& root);

    std::function<void()> changed_;
};

}  // namespace platform
