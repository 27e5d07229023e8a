#include "app/commands.h"

#include "project/topicops.h"

namespace qs::app {

void Commands::Command(CommandId id) {
  switch (id) {
    case CommandId::DeleteItem:
      page.DeleteSelectedTopic();
      break;
    case CommandId::AddUserTopic:
      page.AddUserTopic();
      break;
    case CommandId::AddUserIndex:
      page.AddUserIndex();
      break;
    case CommandId::EditViewKey:
      page.EditView();
      break;
    case CommandId::LivePane:
      page.LivePane();
      break;
    case CommandId::Undo:
      page.Undo();
      break;
    case CommandId::Redo:
      page.Redo();
      break;
    case CommandId::Save:
      project.SaveToProjectFile();
      break;
    case CommandId::SaveAs:
      project.SaveProject();
      break;
    case CommandId::Load:
      project.LoadProject();
      break;
    case CommandId::New:
      project.NewProject();
      break;
    case CommandId::PreviewPage:
    case CommandId::PreviewAll:
      // Without a shown topic the keys do nothing at all, not even forget the editor.
      if (context_.project.shownTopic().empty()) break;
      if (id == CommandId::PreviewPage) {
        build.PreviewPage();
      } else {
        build.PreviewAll();
      }
      break;
  }
}

CommandStates Commands::States() const {
  const project::HelpProject& p = context_.project;
  CommandStates states;
  if (const project::Change* next = context_.state.history.NextUndo()) states.undo = next->what();
  if (const project::Change* next = context_.state.history.NextRedo()) states.redo = next->what();
  states.shownTopic = p.shownTopic();
  // As DeleteSelectedTopic decides: never the Index page, and only a shown topic.
  states.canDelete = !p.shownTopic().empty() && p.shownTopic() != project::kIndexName;
  // The moves act on the selected row, which the view mode's browser may have moved away
  // from the shown topic; the commands commit the form and then move that row.
  states.canMoveUp = project::CanMoveTopicUp(p);
  states.canMoveDown = project::CanMoveTopicDown(p);
  states.canPreview = !p.shownTopic().empty();
  return states;
}

}  // namespace qs::app
