// The main window as its windows and dialogs see it: the command numbers and what they may ask
// of it. The windows include this, never the main window.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QDialog;
class QString;
class QWidget;

namespace zorva {

class RadioDocument;

// Command numbers: the tag of every menu item and tool button.
namespace cmd {
inline constexpr int New = 1, Open = 2, Save = 3, SaveAs = 4, Print = 5, PrintPreview = 6, Exit = 7;
inline constexpr int OpenBackup = 80;
inline constexpr int Batch = 9, FreqEdit = 10, ChsInfo = 11, ChsEdit = 12, FmFun = 13, VoxFun = 14,
                     OptFun = 15, InfoMsg = 16, Key = 17, DtmfFun = 18, ScanFun = 19;
inline constexpr int Read = 20, Write = 21, Test = 22, VerifyAfterWrite = 23;
inline constexpr int Model = 30, Port = 31, Language = 32;
inline constexpr int TreeView = 40, Toolbar = 41, StatusBar = 42;
inline constexpr int Cascade = 50, TileHorizontally = 51, TileVertically = 52, ArrangeIcons = 53,
                     CloseAll = 54;
inline constexpr int HelpTopics = 60, About = 61;
inline constexpr int Undo = 70, Redo = 71;
inline constexpr int ImportCsv = 82, ExportCsv = 83;
// The channel table's rows and clipboard (the Edit menu).
inline constexpr int Cut = 84, Copy = 85, Paste = 86, DeleteChannels = 87, InsertChannel = 88,
                     RemoveChannel = 89, MoveUp = 90, MoveDown = 91, SortByRx = 92, Find = 93,
                     SelectAll = 94;
// View → what the channel table shows.
inline constexpr int HideEmptyChannels = 95, Columns = 96;
inline constexpr int TestFrequency = 181;
} // namespace cmd

// What a command's dialog, once closed, asks the main window to do. What a dialog changed in
// the image the document announces itself.
enum class DialogEffect {
    None,
    StatusChanged,   // the status bar shows something the dialog changed (the port)
    LanguageChanged, // every text of the program is taken from the chosen language
    ViewChanged,     // the windows show what the user chose to see
};

// A window that may hold typing not yet stored (a table cell being edited): the main window
// has it stored before any command runs, as leaving the cell would.
class EditingWindow {
public:
    virtual ~EditingWindow() = default;
    virtual void FinishEditing() = 0;
    // The user changed what the windows show (View → Hide Empty Channels, Columns).
    virtual void ViewChoicesChanged() {}
};

// The main window's services to the windows and dialogs of the commands.
class MainWindowPort {
public:
    // Makes the window of a command on the main window's document; the main window gives it
    // to its MDI area.
    using ChildFactory = std::function<QWidget*(RadioDocument& document)>;
    // Makes the modal dialog of a command, a child of `parent`.
    using DialogFactory = std::function<std::unique_ptr<QDialog>(QWidget* parent)>;
    // Tells, after the dialog closed, what it changed for the main window.
    using DialogOutcome = std::function<DialogEffect(const QDialog& closed)>;

    // The image the main window's windows show and change.
    virtual RadioDocument& Document() = 0;
    // The name of the undo step a command makes: its menu item's caption without the mnemonic.
    virtual QString StepName(int command) const = 0;
    // The window of `command` (the child window commands, 9 to 19).
    virtual void RegisterChildWindow(int command, ChildFactory create) = 0;
    // The modal dialog of `command`; `outcome` is asked once it closed.
    virtual void RegisterDialog(int command, DialogFactory create, DialogOutcome outcome = {}) = 0;
    // Runs a command whose work lives outside the main window. `run` gets the content of the
    // child window of `window` (a child window command) or null when `window` is 0. A command
    // of a window acts only, and is enabled only, while that window is the current one.
    using CommandRun = std::function<void(QWidget* window)>;
    virtual void RegisterCommand(int command, int window, CommandRun run) = 0;
    // The one rule before unsaved work is discarded: asks whether to save it (Yes, No,
    // Cancel); true when the command may go on (No, or Yes and the save succeeded).
    virtual bool MayDiscard() = 0;
    // The parent of the dialogs that the windows open themselves.
    virtual QWidget* DialogParent() = 0;
    // Shows a passing note in the status bar once the current command is done.
    virtual void ShowStatusNote(const std::string& text) = 0;

protected:
    ~MainWindowPort() = default;
};

} // namespace zorva
