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
  LivePane = 6,     // F3: the live pane on or off
};

}  // namespace qs::app
