#include "gadgetproject.h"

#include <utility>

namespace qs::bench {

std::string GadgetName(std::size_t i) {
  std::string name = "Gadget";
  name.push_back(static_cast<char>('A' + i / 676 % 26));
  name.push_back(static_cast<char>('A' + i / 26 % 26));
  name.push_back(static_cast<char>('A' + i % 26));
  return name;
}

project::HelpProject GeneratedHelp(const std::string& library, std::size_t functions,
                                   const std::function<project::Topic(std::size_t)>& functionPage) {
  project::HelpProject p;
  p.libraryFile = "/libs/" + library;
  project::Topic index;
  index.name = "Index";
  index.title = library + " library";
  index.summary = "A generated library.";
  p.AppendTopic(index);
  for (std::size_t i = 0; i < functions; ++i) p.AppendTopic(functionPage(i));
  p.RefillItemsFromStore();
  return p;
}

const project::HelpProject& GadgetProject() {
  static const project::HelpProject project =
      GeneratedHelp("BigLib", kGadgetFunctions, [](std::size_t i) {
        project::Topic topic;
        topic.name = GadgetName(i);
        topic.title = topic.name;
        topic.parameters = "(#Gadget, x, y, Width, Height, Flags)";
        topic.summary = topic.name + topic.parameters;
        std::string body = "Creates the gadget at the given place; see " +
                           GadgetName((i + 1) % kGadgetFunctions) + " for its events, " +
                           GadgetName((i + 7) % kGadgetFunctions) + " to change its state and " +
                           GadgetName((i + 131) % kGadgetFunctions) + " to free it.\r\n";
        while (body.size() < 300) body += "The flags combine with | and are checked on creation. ";
        body.resize(300);
        topic.body = body;
        topic.example = "If OpenWindow(0, 0, 0, 200, 100, \"x\")\r\n\t" + topic.name +
                        "(0, 5, 5, 100, 20)\r\nEndIf";
        return topic;
      });
  return project;
}

}  // namespace qs::bench
