#include "record/record_commands.h"

#include "app/file_replace.h"
#include "app/texts.h"

namespace chess {

void viewRecord(const GameState &state, Desktop &desktop)
{
    desktop.showMessage(state.record.view(), texts::recordCaption);
}

void saveRecordFile(const GameState &state, Desktop &desktop)
{
    const FileChooser chooser{
        std::string(texts::saveAsTitle),
        "棋譜.txt",
        {{"テキストファイル(*.txt)", "*.txt"}, {std::string(texts::allFilesFilter), "*.*"}},
        "txt"};
    saveThroughChooser(desktop, chooser, state.record.view());
}

void copyRecordToClipboard(const GameState &state, Desktop &desktop)
{
    if (!desktop.setClipboardText(state.record.view()))
        desktop.showMessage(texts::clipboardFailed, texts::errorCaption);
}

} // namespace chess
