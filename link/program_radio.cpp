#include "link/program_radio.h"

#include <string>

#include "codec/encoder.h"
#include "editor/commit.h"
#include "editor/decode_radio_data.h"
#include "editor/working_state.h"
#include "link/backup.h"
#include "link/keep_alive.h"
#include "link/radio_endings.h"
#include "link/serial_trace.h"
#include "link/verify_write.h"

namespace tarvex {
namespace {

void ShowSendingProgress(ScreenModel& screen) {
    UpdateStatusBarText(screen, kSendingStatusText);
    screen.FrmMonitorMode.visible = false;
    screen.OptOvrCarrier.visible = false;
    screen.OptOvrTone.visible = false;
    screen.StatusBar.visible = true;
    screen.StatusBar.value = 0;
}

// Every failure ends alike: the progress display reset and the keep-alive running again before
// the message.
ProgramResult Fail(RadioLink& link, KeepAlivePause& keepAlive, const MessageBox& box, bool beep,
                   ProgramResult result = ProgramResult::NotSent) {
    if (beep) {
        link.ui.Beep();
    }
    ResetProgressDisplay(link.screen);
    keepAlive.Resume();
    link.ui.ShowMessage(box);
    return result;
}

ProgramResult Succeed(RadioLink& link, ProgramResult result) {
    link.ui.Beep();
    ResetProgressDisplay(link.screen);
    return result;
}

MessageBox BackupFailedBox(const RadioLink& link, const std::string& reason) {
    std::string text =
        "Error saving a backup of the radio's settings... Nothing was sent to the radio.";
    if (!link.backupFolder.empty()) {
        text += "\n\nBackup folder: " + link.backupFolder.string();
    }
    text += "\nReason: " + reason;
    return {"File System Error", text, MessageIcon::Critical, MessageButtons::Ok};
}

// The write stopped part-way: some blocks may have reached the repeater and others not.
MessageBox StoppedWritingBox(const std::filesystem::path& backup) {
    MessageBox box = StoppedRespondingBox();
    box.text += "\n\nThe repeater may now hold a mix of old and new settings.";
    const std::string advice = RestoreAdvice(backup);
    if (!advice.empty()) {
        box.text += " " + advice;
    }
    return box;
}

}  // namespace

ProgramResult ProgramRadio(RadioLink& link, const Identification& identification,
                           const ProgramRadioOptions& options) {
    const RoutineScope routine(link, "ProgramRadio");
    KeepAlivePause keepAlive(link.screen);
    ShowSendingProgress(link.screen);

    if (!CommitMainData(link.screen, link.state.MainData, link.range, link.ui)) {
        return Fail(link, keepAlive,
                    {"Form System Error", "Error saving data from this form...", MessageIcon::None,
                     MessageButtons::OkCancel},
                    false);
    }
    if (!EncodeRadioData(link.state, identification.identity, PolarityTicksOf(link.screen),
                         link.ui)) {
        return Fail(link, keepAlive,
                    {"Output Data Error", "Error forming output data...", MessageIcon::None,
                     MessageButtons::OkCancel},
                    true);
    }
    std::vector<WriteBlock> blocks = WriteBlocks(identification.identity);
    if (options.changedOnly) {
        blocks = ChangedBlocks(blocks, link.state.OutData, identification.image);
        if (blocks.empty()) {
            return Succeed(link, ProgramResult::AlreadyHeld);
        }
    }
    if (std::string reason; !BackUpRepeater(link, identification, &reason)) {
        return Fail(link, keepAlive, BackupFailedBox(link, reason), true);
    }
    if (!SendBlocks(link, blocks)) {
        return Fail(link, keepAlive, StoppedWritingBox(link.lastBackupPath), true,
                    ProgramResult::Stopped);
    }
    if (!options.verify) {
        return Succeed(link, ProgramResult::Written);
    }
    const ReadBack readBack = ReadBackAndCompare(link, WritableAddresses(identification.identity));
    if (!readBack.Verified()) {
        return Fail(link, keepAlive, VerifyFailedBox(readBack, link.lastBackupPath), true,
                    ProgramResult::VerifyFailed);
    }
    return Succeed(link, ProgramResult::Verified);
}

ProgramResult ProgramRadioCommand(RadioLink& link, const ProgramRadioOptions& options) {
    ScreenModel& screen = link.screen;
    link.lastBackupPath.clear();
    SetWorkingStateControlsVisible(screen, false);
    DisableMenus(screen);

    Identification identification;
    if (!IdentifyRadio(link, identification)) {
        link.ui.Beep();
        link.ui.ShowMessage(NoRadioBox());
        RestoreScreenAfterRadioWork(link);
        return ProgramResult::NotSent;
    }
    screen.LabelStatus.caption = "Programming Radio";
    screen.FrameStatus.visible = true;
    const ProgramResult result = ProgramRadio(link, identification, options);
    if (Programmed(result)) {
        UpdateStatusBarText(screen, ProgramStatusText(result, link.lastBackupPath));
    }
    RestoreScreenAfterRadioWork(link);
    return result;
}

std::string ProgramStatusText(ProgramResult result, const std::filesystem::path& backup) {
    std::string text;
    switch (result) {
        case ProgramResult::Verified:
            text = "Programmed and verified.";
            break;
        case ProgramResult::Written:
            text = "Programmed (not read back).";
            break;
        case ProgramResult::AlreadyHeld:
            return "The repeater already holds these settings: nothing was written.";
        default:
            return {};
    }
    if (!backup.empty()) {
        text += " Previous settings kept in " + backup.string();
    }
    return text;
}

}  // namespace tarvex
