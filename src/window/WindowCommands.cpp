#include "window/WindowCommands.h"

#include "convert/CommandLineConversion.h"
#include "edit/AddressCommands.h"
#include "model/Document.h"
#include "output/WriteExe.h"
#include "window/FileDialogSetup.h"
#include "window/LoadedBlock.h"

#include <new>

void RunWindowCommand(Document& doc, WindowCommand command, const WindowSide& window)
{
    switch (command) {
        case WindowCommand::Open:
            window.open();
            break;
        case WindowCommand::ChangeOrg:
            ChangeOrg(doc);
            break;
        case WindowCommand::ChangeEnt:
            ChangeEnt(doc);
            break;
        case WindowCommand::ChangeSp:
            ChangeSp(doc);
            break;
        case WindowCommand::CopySelectionAsText:
            window.copySelectionAsText();
            break;
        case WindowCommand::SaveExeAs:
            SaveExeAs(doc, window);
            break;
        case WindowCommand::GoTo:
        case WindowCommand::FindBytes:
        case WindowCommand::FindNext:
        case WindowCommand::FindPrevious:
            window.findInList(command);
            break;
        case WindowCommand::CopyAsAssemblerBytes:
            window.copySelectionAsSource(SourceForm::AssemblerBytes);
            break;
        case WindowCommand::CopyAsCArray:
            window.copySelectionAsSource(SourceForm::CArray);
            break;
    }
}

void SaveExeAs(Document& doc, const WindowSide& window)
{
    std::string preset = doc.state.ExePath;
    std::optional<std::string> path;
    std::optional<std::string> refusal;
    while ((path = window.askSavePath(preset)) && (refusal = SavePathRefusal(*path, doc.state.SourcePath))) {
        doc.frontEnd.ShowMessage(*refusal, Icon::Warning);
        preset = *path;
    }
    if (!path) {
        doc.frontEnd.ShowMessage("Save canceled!", Icon::Information);
        return;
    }
    doc.state.ExePath = *path;
    WriteExe(doc, false);
}

void RunTellingOfMemory(Document& doc, LoadedBlock& loads, const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::bad_alloc&) {
        loads.Abandon();
        doc.frontEnd.ShowMessage(kOutOfMemoryMessage, Icon::Warning);
    }
}
