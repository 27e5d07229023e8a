#pragma once

namespace qs::app {

// Commands that arrive without a control: the popup menu of the topic list and the keyboard
// shortcuts of the main window.
enum class CommandId {
  DeleteItem = 0,
  AddUserTopic = 1,
  AddUserIndex = 2,
  PreviewPage = 3,  // F1
  PreviewAll = 4,   // F2
  EditViewKey = 5,  // Esc: a click on the edit/view switch
  Undo = 6,         // Ctrl+Z outside the editors
  Redo = 7,         // Ctrl+Y, Ctrl+Shift+Z outside the editors
  Save = 8,         // Ctrl+S: into the project file, without a requester when there is one
  SaveAs = 9,       // Ctrl+Shift+S
  Load = 10,        // Ctrl+O
  New = 11,         // Ctrl+N
};

}  // namespace qs::app
