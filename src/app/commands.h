#pragma once

#include "app/buildcommands.h"
#include "app/commandcontext.h"
#include "app/commandid.h"
#include "app/optioncommands.h"
#include "app/pagecommands.h"
#include "app/previewpages.h"
#include "app/projectcommands.h"

namespace qs::app {

// Which of the commands that may find nothing to do would act now, for the menus to offer
// exactly those; and what undo and redo would take back or do again ("delete 'Beta'"), empty
// when nothing.
struct CommandStates {
  std::string undo;
  std::string redo;
  // The shown topic: empty when none.
  std::string shownTopic;
  bool canDelete = false;
  bool canMoveUp = false;
  bool canMoveDown = false;
  // F1 and F2 preview only while a topic is shown.
  bool canPreview = false;
};

// Every command of the main window, each run to its end: requesters, questions, calls into
// the core and what the window shows afterwards. The window calls one method per event; the
// method decides, from the project and the application state, what happens. The commands
// come in the groups the window's controls fall into, all over one shared context.
class Commands {
 public:
  explicit Commands(const CommandContext& context)
      : previews(context.project, context.captions, context.ui),
        project(context),
        page(context, previews),
        build(context),
        options(context),
        context_(context) {}

  // The pages the preview browsers ask for.
  PreviewPages previews;
  ProjectCommands project;
  PageCommands page;
  BuildCommands build;
  OptionCommands options;

  // The entries of the topic list's popup menu and the window's keyboard shortcuts.
  void Command(CommandId id);
  CommandStates States() const;
  // After every command and every keystroke in the form: the title tells whether there is
  // unsaved work.
  void ShowUnsavedState() const { context_.ShowUnsavedState(); }
  // When the main window becomes the active window and no other window of the program is in
  // the way: a project file someone else wrote is asked about.
  void WindowActivated() const {
    context_.CheckProjectFile();
    context_.ShowUnsavedState();
  }
  // On the recovery timer.
  void WriteRecovery() const { context_.WriteRecovery(); }

 private:
  CommandContext context_;
};

}  // namespace qs::app
