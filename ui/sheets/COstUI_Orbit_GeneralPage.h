#pragma once

#include "COstUI_PropertyPage.h"
#include "SettingsRecord.h"

#include <QString>
#include <QStringList>

#include <functional>

class OstPagePathLabel;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The first page of the settings sheet: the video device, the photo mode, the file naming,
// the pictures folder, the capture resolution and frame rate. It edits the controller's
// working SettingsRecord, and writes into it only on OK or Apply; the controller saves the
// record and restarts the camera (cameraRestartNeeded) after the sheet has closed.
class COstUI_Orbit_GeneralPage : public COstUI_PropertyPage {
    Q_OBJECT

public:
    // Asks the user for a folder; an empty result means none was chosen.
    using FolderChooser =
        std::function<QString(QWidget* parent, const QString& title, const QString& start)>;

    // The characters a file name cannot hold, removed from the custom name as they are typed.
    static const QString& ForbiddenNameCharacters();

    explicit COstUI_Orbit_GeneralPage(QWidget* parent = nullptr);
    ~COstUI_Orbit_GeneralPage() override;

    // The record the page edits; it must outlive the page's last OnApply.
    void SetSettingsRecord(SettingsRecord* record) { record_ = record; }
    SettingsRecord* GetSettingsRecord() const { return record_; }

    // Keeps the camera names; once the page exists, refills the device list with them (the
    // first selected) and enables the resolution and frame-rate lists only when there is one.
    void SetDeviceNames(const QStringList& names);
    const QStringList& GetDeviceNames() const { return deviceNames_; }

    // The camera shared with other programs: the stored wish, and whether it can be; without
    // a way to share the box is disabled and a line says why.
    void SetSharing(bool wanted, bool available);

    // The folder dialog; tests replace it.
    void SetFolderChooser(FolderChooser chooser) { folderChooser_ = std::move(chooser); }

    void ApplyTexts() override;
    bool OnInitDialog() override;
    bool OnApply() override;

    // Set by an apply that changed the resolution; read by the controller after the sheet.
    bool cameraRestartNeeded = false;
    // Set by OK or Apply: the sharing box as it was then.
    bool sharingApplied = false;
    bool sharingWanted = false;

private:
    void FillDeviceList();
    void OnCustomNameChanged();
    void OnChangeFolder();
    void OnAudioSettings();
    void Changed();

    SettingsRecord* record_ = nullptr;
    bool shareWanted_ = false;
    bool shareAvailable_ = false;
    QStringList deviceNames_;
    FolderChooser folderChooser_;
    // Programmatic fills of the controls are not the user's changes.
    bool filling_ = false;
    bool filtering_ = false;

    QCheckBox* share_ = nullptr;
    QLabel* shareWhyNot_ = nullptr;
    QGroupBox* deviceGroup_ = nullptr;
    QLabel* deviceLabel_ = nullptr;
    QComboBox* devices_ = nullptr;
    QPushButton* audio_ = nullptr;
    QLabel* hidden_ = nullptr;
    QGroupBox* modeGroup_ = nullptr;
    QRadioButton* direct_ = nullptr;
    QRadioButton* delayed_ = nullptr;
    QGroupBox* nameGroup_ = nullptr;
    QRadioButton* dateSerial_ = nullptr;
    QRadioButton* custom_ = nullptr;
    QLineEdit* customName_ = nullptr;
    QGroupBox* folderGroup_ = nullptr;
    OstPagePathLabel* folder_ = nullptr;
    QPushButton* change_ = nullptr;
    QGroupBox* resolutionGroup_ = nullptr;
    QComboBox* resolutions_ = nullptr;
    QGroupBox* rateGroup_ = nullptr;
    QComboBox* rates_ = nullptr;
    QLabel* rateUnit_ = nullptr;
};
