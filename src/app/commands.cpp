#include "app/commands.h"

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

}  // namespace qs::app
