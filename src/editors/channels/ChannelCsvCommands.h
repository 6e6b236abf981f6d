// File → Import Channels and Export Channels: the channel list as a CSV file.
#pragma once

#include <QString>
#include <functional>
#include <string>

class QDialog;
class QWidget;

namespace zorva {

class MainWindowPort;
class RadioDocument;
class TALL;

void RegisterChannelCsvCommands(MainWindowPort& mainForm);

// Reads `path`, shows in the import dialog (run by `exec`) what importing it would change,
// and on Ok applies it to the document as one step. Returns whether it applied.
bool ImportChannelsFile(RadioDocument& document, const QString& path, QWidget* parent,
                        const std::function<int(QDialog&)>& exec);

// Writes the channels in use to `path`, replacing the file only once the new one is whole.
// Tells a failure, and after a success the channels an import would refuse.
bool ExportChannelsFile(const TALL& all, const QString& path);

// The export's suggested file: the image's file with ".csv", else "channels.csv".
QString DefaultExportName(const std::string& imageFile);

} // namespace zorva
