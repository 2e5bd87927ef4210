#include "link/program_radio.h"

#include <chrono>
#include <string>

#include "codec/encoder.h"
#include "codec/freq_codec.h"
#include "editor/commit.h"
#include "editor/decode_radio_data.h"
#include "editor/working_state.h"
#include "link/backup.h"
#include "link/keep_alive.h"
#include "link/radio_endings.h"
#include "link/serial_link.h"

namespace tarvex {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kWriteTimeout{2000};
constexpr std::size_t kDigitEchoLength = 2;
constexpr std::size_t kBlockEndReplyLength = 4;

struct AddressRange {
    std::int16_t first;
    std::int16_t last;
};

// Addresses the repeater keeps for itself.
constexpr AddressRange kReservedAddresses[] = {
    {6, 10}, {14, 14}, {32, 47}, {67, 74}, {85, 95}, {117, 125}, {127, 127},
};

void ShowSendingProgress(ScreenModel& screen) {
    UpdateStatusBarText(screen, kSendingStatusText);
    screen.FrmMonitorMode.visible = false;
    screen.OptOvrCarrier.visible = false;
    screen.OptOvrTone.visible = false;
    screen.StatusBar.visible = true;
    screen.StatusBar.value = 0;
}

// One paced exchange of the write. False, without the pause, when nothing at all came back.
bool SendPaced(RadioLink& link, std::string_view text, std::size_t count) {
    ExchangeWithRadio(link, text, count, kWriteTimeout);
    if (link.state.RxBuffer.empty()) {
        return false;
    }
    link.sleeper.Sleep(kCharacterPause);
    return true;
}

bool OpenBlock(RadioLink& link, std::int16_t address) {
    return SendCommand(link, "S" + ByteToHex(static_cast<std::uint8_t>(address)), kDigitEchoLength,
                       OnSilence::Stop);
}

bool CloseBlock(RadioLink& link) {
    return SendPaced(link, "\r", kBlockEndReplyLength);
}

// The byte at ProgAddr as two digits, high digit first.
bool WriteByte(RadioLink& link) {
    const std::string digits = ByteToHex(link.state.OutData[link.state.ProgAddr]);
    return SendPaced(link, digits.substr(0, 1), kDigitEchoLength) &&
           SendPaced(link, digits.substr(1, 1), kDigitEchoLength);
}

// Sends the writable addresses of OutData in blocks, each opened by "S" and its address and
// closed by a carriage return. False as soon as the repeater stops answering.
bool WriteImage(RadioLink& link, const RadioIdentity& identity) {
    std::int16_t& ProgAddr = link.state.ProgAddr;
    if (!OpenBlock(link, 0)) {
        return false;
    }
    ProgAddr = 0;
    do {
        if (IsWritableAddress(ProgAddr, identity)) {
            if (!WriteByte(link)) {
                return false;
            }
            ++ProgAddr;
        } else {
            if (!CloseBlock(link)) {
                return false;
            }
            do {
                ++ProgAddr;
            } while (ProgAddr < kProgramEndAddress && !IsWritableAddress(ProgAddr, identity));
            if (ProgAddr >= kProgramEndAddress) {
                break;
            }
            if (!OpenBlock(link, ProgAddr)) {
                return false;
            }
        }
        link.screen.StatusBar.value = ProgAddr * 100 / (kProgramEndAddress + 5);
    } while (ProgAddr < kProgramEndAddress);
    return CloseBlock(link);
}

// Every failure ends alike: the progress display reset and the keep-alive running again before
// the message.
bool Fail(RadioLink& link, KeepAlivePause& keepAlive, const MessageBox& box, bool beep) {
    if (beep) {
        link.ui.Beep();
    }
    ResetProgressDisplay(link.screen);
    keepAlive.Resume();
    link.ui.ShowMessage(box);
    return false;
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

}  // namespace

bool IsWritableAddress(std::int16_t address, const RadioIdentity& identity) {
    if (identity.AddrMapCode != kMappedAddrMapCode || address < 0 ||
        address >= static_cast<std::int16_t>(kRepeaterMemorySize)) {
        return false;
    }
    for (const AddressRange& reserved : kReservedAddresses) {
        if (address >= reserved.first && address <= reserved.last) {
            return false;
        }
    }
    return true;
}

bool ProgramRadio(RadioLink& link, const Identification& identification) {
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
    if (std::string reason; !BackUpRepeater(link, identification, &reason)) {
        return Fail(link, keepAlive, BackupFailedBox(link, reason), true);
    }
    if (!WriteImage(link, identification.identity)) {
        return Fail(link, keepAlive, StoppedRespondingBox(), true);
    }
    link.ui.Beep();
    ResetProgressDisplay(link.screen);
    return true;
}

bool ProgramRadioCommand(RadioLink& link) {
    ScreenModel& screen = link.screen;
    link.lastBackupPath.clear();
    SetWorkingStateControlsVisible(screen, false);
    DisableMenus(screen);

    Identification identification;
    if (!IdentifyRadio(link, identification)) {
        link.ui.Beep();
        link.ui.ShowMessage(NoRadioBox());
        RestoreScreenAfterRadioWork(link);
        return false;
    }
    screen.LabelStatus.caption = "Programming Radio";
    screen.FrameStatus.visible = true;
    const bool sent = ProgramRadio(link, identification);
    RestoreScreenAfterRadioWork(link);
    return sent;
}

}  // namespace tarvex
