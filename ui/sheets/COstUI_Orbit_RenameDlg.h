#pragma once

#include <QDialog>
#include <QString>

class CColorStatic;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a photo's new base name (without ".jpg"). OK is refused, with the red message,
// while the name's .jpg already exists in the folder (the unchanged name included) or is
// one the file system cannot take: empty, containing "/", or longer than a file name may be.
// Any edit hides the message again.
class COstUI_Orbit_RenameDlg : public QDialog {
    Q_OBJECT

public:
    COstUI_Orbit_RenameDlg(const QString& baseName, const QString& folder,
                           QWidget* parent = nullptr);
    ~COstUI_Orbit_RenameDlg() override;

    // The edit's text, after OK the accepted name.
    QString GetNewName() const;
    QString GetFolder() const { return folder_; }
    // Whether a name would be accepted by OK right now.
    bool IsAcceptable(const QString& name) const;

    void ApplyTexts();
    void accept() override;

private:
    QString folder_;
    QLineEdit* edit_ = nullptr;
    QLabel* label_ = nullptr;
    CColorStatic* refusal_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
