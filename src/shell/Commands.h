// The main window as its windows and dialogs see it: the command numbers, the views it keeps
// up to date, and what they may ask of it. The windows include this, never the main window.
#pragma once

#include <functional>
#include <memory>
#include <string>

class QDialog;
class QWidget;

namespace zorva {

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
inline constexpr int TestFrequency = 181;
} // namespace cmd

// What the main window brings up to date after the image changed.
enum class RefreshKind {
    CurrentRow,  // the channel table's row of the current channel
    ReopenAll,   // a new image: every child window closed, the channel table opened again
    ChannelEdit, // the channel edit window
    AllRows,     // every row of the channel table, and the channel edit window
    AllWindows,  // every open window shows the image anew (after an undo or a redo)
};

// What a command's dialog, once closed, asks the main window to do.
enum class DialogEffect {
    None,
    StatusChanged,   // the status bar shows something the dialog changed (the port)
    ImageReplaced,   // a new image: it has no file yet, every view shows it anew
    LanguageChanged, // every text of the program is taken from the chosen language
};

// What the channel table does for the main window when the image changed under it.
class ChannelTableView {
public:
    virtual ~ChannelTableView() = default;
    virtual void FormDeactivate() = 0; // closes its in-cell editors
    virtual void FillChannelRow(int channel) = 0;
    virtual void FillAllRows() = 0;
};

// What the channel edit window does for the main window.
class ChannelEditView {
public:
    virtual ~ChannelEditView() = default;
    virtual void ShowChannel() = 0;
};

// A window that shows part of the image, and shows it anew when the image was put back.
class ImageView {
public:
    virtual ~ImageView() = default;
    virtual void ShowImage() = 0;
};

// The main window's services to the windows and dialogs of the commands.
class MainWindowPort {
public:
    // Makes the window of a command; the main window gives it to its MDI area.
    using ChildFactory = std::function<QWidget*()>;
    // Makes the modal dialog of a command, a child of `parent`.
    using DialogFactory = std::function<std::unique_ptr<QDialog>(QWidget* parent)>;
    // Tells, after the dialog closed, what it changed for the main window.
    using DialogOutcome = std::function<DialogEffect(const QDialog& closed)>;

    virtual void RefreshViews(RefreshKind kind) = 0;
    // The window of `command` (the child window commands, 9 to 19).
    virtual void RegisterChildWindow(int command, ChildFactory create) = 0;
    // The modal dialog of `command`; `outcome` is asked once it closed.
    virtual void RegisterDialog(int command, DialogFactory create, DialogOutcome outcome = {}) = 0;
    // Runs a command whose work lives outside the main window. `run` gets the content of the
    // child window of `window` (a child window command) or null when `window` is 0. A command
    // of a window acts only, and is enabled only, while that window is the current one.
    using CommandRun = std::function<void(QWidget* window)>;
    virtual void RegisterCommand(int command, int window, CommandRun run) = 0;
    // The parent of the dialogs that the windows open themselves.
    virtual QWidget* DialogParent() = 0;
    // The file the image was opened from or saved to; empty when it has none.
    virtual std::string ImageFileName() const = 0;
    // Shows a passing note in the status bar once the current command is done.
    virtual void ShowStatusNote(const std::string& text) = 0;

protected:
    ~MainWindowPort() = default;
};

// The program's main window while one exists, null otherwise.
MainWindowPort* MainForm();

} // namespace zorva
