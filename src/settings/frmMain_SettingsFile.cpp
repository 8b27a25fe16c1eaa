// The settings file: restored into the modem settings dialog at start-up, saved on request.
#include "panel/frmMain.h"

#include "app/Desktop.h"
#include "settings/ControlValue.h"
#include "settings/DiskFileDefinition.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsTexts.h"
#include "settings/frmModem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// Puts the fields into their controls in record order, each with the effects of the operator's change: a
// later option of a group wins over an earlier one, and the enable rules follow every change.
void putRecord(frmModem &f, const Settings_Record &r)
{
    setValue(f.optDirect, r.Direct_Cable);
    setValue(f.optModem, r.Use_Modem);
    setText(f.cmbPort, r.Direct_Com_Port);
    setValue(f.optTone, r.Tone_Dial);
    setValue(f.optPulse, r.Pulse_Dial);
    f.txtPhoneNumber->setText(r.Phone_Number);
    setValue(f.chkOutside, r.Outside_Flag);
    f.txt9->setText(r.Outside_Digits);
    setValue(f.chkWaiting, r.Waiting_Flag);
    f.txt70->setText(r.Waiting_Code);
    setText(f.cmbModem, r.Modem_Com_Port);
    setValue(f.optOff, r.Speaker_Off);
    setValue(f.optLow, r.Speaker_Low);
    setValue(f.optLoud, r.Speaker_Loud);
    setValue(f.chkModemIni, r.Ini_Flag);
    f.txtModemIni->setText(r.Ini_String);
}

Settings_Record takeRecord(const frmModem &f)
{
    Settings_Record r;
    r.Direct_Cable = value(f.optDirect);
    r.Use_Modem = value(f.optModem);
    r.Direct_Com_Port = f.cmbPort->currentText();
    r.Tone_Dial = value(f.optTone);
    r.Pulse_Dial = value(f.optPulse);
    r.Phone_Number = f.txtPhoneNumber->text();
    r.Outside_Flag = value(f.chkOutside);
    r.Outside_Digits = f.txt9->text();
    r.Waiting_Flag = value(f.chkWaiting);
    r.Waiting_Code = f.txt70->text();
    r.Modem_Com_Port = f.cmbModem->currentText();
    r.Speaker_Off = value(f.optOff);
    r.Speaker_Low = value(f.optLow);
    r.Speaker_Loud = value(f.optLoud);
    r.Ini_Flag = value(f.chkModemIni);
    r.Ini_String = f.txtModemIni->text();
    return r;
}

} // namespace

frmModem &frmMain::Modem()
{
    if (!modemForm_)
        modemForm_ = new frmModem(this);
    return *modemForm_;
}

void frmMain::Restore_Data()
{
    frmModem &form = Modem();
    const std::optional<QByteArray> bytes = SettingsFile::readRecord();
    const std::optional<Settings_Record> record = bytes ? DiskFileDefinition::decode(*bytes) : std::nullopt;
    if (record) {
        putRecord(form, *record);
        return;
    }
    Desktop::current().warn(this, SettingsTexts::LoadErrorTitle, SettingsTexts::LoadError);
    putRecord(form, Settings_Record::defaults());
}

void frmMain::Save_Data()
{
    QString reason;
    if (SettingsFile::writeRecord(DiskFileDefinition::encode(takeRecord(Modem())), &reason))
        return;
    // The settings stay in the dialog for this run, but the operator must know they will not survive it.
    Desktop::current().warn(this, SettingsTexts::SaveErrorTitle,
                            SettingsTexts::saveFailed(QDir::toNativeSeparators(SettingsFile::path()), reason));
}

void frmMain::mnuFileSave_Click()
{
    Save_Data();
}

void frmMain::mnuModemSettings_Click()
{
    frmModem &form = Modem();
    form.show();
    form.raise();
    form.activateWindow();
}
