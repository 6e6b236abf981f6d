#include "shell/ui/CommandTable.h"

#include "shell/Commands.h"

#include <QRegularExpression>

namespace zorva {

namespace {

const MenuItemText kMenuItems[] = {
    {cmd::New, "N1", "&New", "", "Ctrl+N"},
    {cmd::Open, "O1", "&Open", "", "Ctrl+O"},
    {cmd::OpenBackup, "nOpenBackup", "Open &Backup...", "", ""},
    {cmd::Save, "S2", "&Save", "", "Ctrl+S"},
    {cmd::SaveAs, "A1", "Save &As", "", "Ctrl+Shift+S"},
    {cmd::Print, "P2", "&Print", "", "Ctrl+P"},
    {cmd::PrintPreview, "V2", "Print Pre&view", "", "Ctrl+T"},
    {cmd::Exit, "nExit", "&Exit", "", "Ctrl+Q"},
    {cmd::Undo, "nUndo", "&Undo", "Undo", "Ctrl+Z"},
    {cmd::Redo, "nRedo", "&Redo", "Redo", "Ctrl+Y"},
    {cmd::Batch, "nBatch", "&Batch Channel Edit", "", ""},
    {cmd::FreqEdit, "nFreq", "F&req. Channel", "Freq. Information", ""},
    {cmd::ChsInfo, "nChInfo", "Memory C&hannel", "Channel Information", ""},
    {cmd::ChsEdit, "nChEdit", "&Channel Edit", "", ""},
    {cmd::FmFun, "nFm", "&Fm Information", "Fm Information", ""},
    {cmd::VoxFun, "nVox", "&Vox Function", "Vox Function", ""},
    {cmd::OptFun, "nOpt", "&Optional Function", "Optional Function", ""},
    {cmd::InfoMsg, "nInfo", "Radio &Information", "Radio Information", ""},
    {cmd::Key, "nKey", "&Key Function", "", ""},
    {cmd::DtmfFun, "nDTMF", "&DTMF Function", "DTMF Function", ""},
    {cmd::ScanFun, "nScan", "&Scan Information", "Scan Information", ""},
    {cmd::Read, "R1", "&Read From Radio", "", "Ctrl+R"},
    {cmd::Write, "W2", "&Write To Radio", "", "Ctrl+W"},
    {cmd::VerifyAfterWrite, "nVerify", "&Verify After Writing", "", ""},
    {cmd::Test, "T1", "&Test Online", "", ""},
    {cmd::Model, "N4", "&Model Information", "", ""},
    {cmd::Port, "C2", "&Communication Port", "", ""},
    {cmd::Language, "nLanguage", "Language File Setup", "", ""},
    {cmd::TreeView, "T4", "Tree &View", "", ""},
    {cmd::Toolbar, "nCool", "&Toolbar", "", ""},
    {cmd::StatusBar, "nBar", "&Status bar", "", ""},
    {cmd::HideEmptyChannels, "nHideEmpty", "Hide &Empty Channels", "", ""},
    {cmd::Columns, "nColumns", "C&olumns...", "", ""},
    {cmd::Cascade, "nC", "&Cascade", "", ""},
    {cmd::TileHorizontally, "nH", "Tile Windows &Horizontally", "", ""},
    {cmd::TileVertically, "nV", "Tile Windows &Vertically", "", ""},
    {cmd::ArrangeIcons, "npl", "&Arrange Icons", "", ""},
    {cmd::CloseAll, "nCloseAll", "Close All &Windows", "", ""},
    {cmd::HelpTopics, "nHelpTopics", "&Help Topics", "", "F1"},
    {cmd::About, "nAbout", "About...", "", ""},
    {cmd::TestFrequency, "E10", "&Test Frequency", "", ""},
    {cmd::ImportCsv, "nImportCsv", "&Import Channels...", "Import channels from a CSV file", ""},
    {cmd::ExportCsv, "nExportCsv", "E&xport Channels...", "Export the channels to a CSV file", ""},
    // The keys of the items that change channels act in the channel table only (their context
    // is set in BuildActions): a Delete pressed in the tree must not empty channels, nor a
    // Ctrl+X cut them.
    {cmd::Cut, "nCut", "Cu&t", "Cut the selected channels", "Ctrl+X"},
    {cmd::Copy, "nCopy", "&Copy", "Copy the selected channels", "Ctrl+C"},
    {cmd::Paste, "nPaste", "&Paste", "Paste channels at the current channel", "Ctrl+V"},
    {cmd::DeleteChannels, "nDelete", "&Delete", "Empty the selected channels", "Del"},
    {cmd::SelectAll, "nSelectAll", "Select &All", "Select every channel", "Ctrl+A"},
    {cmd::InsertChannel, "nInsertChannel", "&Insert Channel", "Insert an empty channel", ""},
    {cmd::RemoveChannel, "nRemoveChannel", "Re&move Channel", "Remove the current channel", ""},
    {cmd::MoveUp, "nMoveUp", "Move &Up", "Move the current channel up", "Alt+Up"},
    {cmd::MoveDown, "nMoveDown", "Move Do&wn", "Move the current channel down", "Alt+Down"},
    {cmd::SortByRx, "nSortByRx", "S&ort by RX Frequency", "Sort the channels by RX frequency", ""},
    {cmd::Find, "nFind", "&Find...", "Find a channel by name or frequency", "Ctrl+F"},
};

// The tool buttons, left to right; 0 stands for a divider.
const ToolButtonText kToolButtons[] = {
    {cmd::New, "tbNew", "New"},
    {cmd::Open, "tbOpen", "Open"},
    {cmd::Save, "tbSave", "Save"},
    {0, nullptr, nullptr},
    {cmd::ChsEdit, "tbChEdit", "Channel Edit"},
    {0, nullptr, nullptr},
    {cmd::Print, "tbPrint", "Print"},
    {0, nullptr, nullptr},
    {cmd::Port, "tbCom", "Com"},
    {0, nullptr, nullptr},
    {cmd::Read, "tbRead", "Read"},
    {0, nullptr, nullptr},
    {cmd::Write, "tbWrite", "Write"},
    {0, nullptr, nullptr},
    {cmd::HelpTopics, "tbHelp", "Help"},
};

// The menus and their items in order; 0 is a separator, -1 a separator never shown.
const MenuText kMenus[] = {
    {"mFile",
     "&File",
     {cmd::New, cmd::Open, cmd::OpenBackup, cmd::Save, cmd::SaveAs, 0, cmd::ImportCsv,
      cmd::ExportCsv, 0, cmd::Print, cmd::PrintPreview, 0, cmd::Exit}},
    {"mEdit",
     "&Edit",
     {cmd::Undo,
      cmd::Redo,
      0,
      cmd::Cut,
      cmd::Copy,
      cmd::Paste,
      cmd::DeleteChannels,
      cmd::SelectAll,
      0,
      cmd::InsertChannel,
      cmd::RemoveChannel,
      cmd::MoveUp,
      cmd::MoveDown,
      cmd::SortByRx,
      cmd::Find,
      0,
      cmd::InfoMsg,
      cmd::FreqEdit,
      0,
      cmd::ChsInfo,
      cmd::ChsEdit,
      cmd::Batch,
      0,
      cmd::FmFun,
      cmd::VoxFun,
      cmd::ScanFun,
      cmd::OptFun,
      cmd::Key,
      cmd::DtmfFun,
      -1,
      cmd::TestFrequency}},
    {"mProgram", "&Program", {cmd::Read, cmd::Write, cmd::VerifyAfterWrite, 0, cmd::Test}},
    {"mSetup", "&Setup", {cmd::Model, 0, cmd::Port, cmd::Language}},
    {"mView",
     "&View",
     {cmd::TreeView, 0, cmd::Toolbar, cmd::StatusBar, 0, cmd::HideEmptyChannels, cmd::Columns}},
    {"mWindow",
     "&Window",
     {cmd::Cascade, cmd::TileHorizontally, cmd::TileVertically, cmd::ArrangeIcons, 0,
      cmd::CloseAll}},
    {"mHelp", "&Help", {cmd::HelpTopics, 0, cmd::About}},
};

// The tree's children: the command each runs; their texts are the hints of its menu item.
constexpr int kTreeCommands[] = {cmd::InfoMsg, cmd::FreqEdit, cmd::ChsInfo, cmd::FmFun,
                                 cmd::VoxFun,  cmd::ScanFun,  cmd::OptFun,  cmd::DtmfFun};

} // namespace

std::span<const MenuItemText> MenuItems() {
    return kMenuItems;
}

std::span<const ToolButtonText> ToolButtons() {
    return kToolButtons;
}

std::span<const MenuText> Menus() {
    return kMenus;
}

std::span<const int> TreeCommands() {
    return kTreeCommands;
}

QString PlainCaption(QString caption) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&[^&]\\)|&(?=[^&])"));
    return caption.remove(mnemonic).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

} // namespace zorva
