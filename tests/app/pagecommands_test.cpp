// The topic list, its popup menu, the edit/view switch and the tag buttons.

#include "commandfixture.h"
#include "output/pictures.h"
#include "support/tempfolder.h"
#include "text/paths.h"

namespace qs::apptest {
namespace {

using testsupport::RowTexts;

TEST_F(CommandTest, selectingARowCommitsTheShownTopicThenShowsTheNewOne) {
  UseProject({"Index", "A", "B"});
  commands.page.TopicListEvent(1, false);
  EXPECT_EQ(ui.form.title, "A");
  EXPECT_EQ(ui.layout->summaryLabel, "Syntax");
  ui.form.body = "typed";
  commands.page.TopicListEvent(2, false);
  EXPECT_EQ(project.FindTopic("A")->body, "typed");
  EXPECT_TRUE(project.modified);
  EXPECT_EQ(project.shownTopic(), "B");
  EXPECT_EQ(project.selectedRow(), 2);
  commands.page.TopicListEvent(-1, false);
  EXPECT_EQ(project.selectedRow(), -1);
  EXPECT_EQ(project.shownTopic(), "B");
}

TEST_F(CommandTest, popupMenuOnTheIndexRowOffersOnlyTheTwoAdditions) {
  UseProject({"Index", "A"});
  commands.page.TopicListEvent(0, true);
  EXPECT_EQ(ui.menu,
            (std::vector<app::MenuEntry>{{"Add user topic", app::CommandId::AddUserTopic},
                                         {"Add user index", app::CommandId::AddUserIndex}}));
  commands.page.TopicListEvent(1, true);
  ASSERT_EQ(ui.menu.size(), 3u);
  EXPECT_EQ(ui.menu[2], (app::MenuEntry{"Delete item 'A'", app::CommandId::DeleteItem}));
  // A plain click raises no menu.
  ui.menu.clear();
  commands.page.TopicListEvent(1, false);
  EXPECT_TRUE(ui.menu.empty());
}

TEST_F(CommandTest, popupCommandsAddAndDeleteTopics) {
  UseProject({"Index", "F1", "F2", "License*"});
  commands.page.TopicListEvent(1, true);
  ui.texts = {"Notes"};
  commands.Command(app::CommandId::AddUserTopic);
  EXPECT_EQ(ui.requesters.back().title, "USER TOPIC");
  EXPECT_EQ(ui.requesters.back().pattern, "Please enter topic name");
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "F1", "F2", "Notes", "License"}));
  EXPECT_EQ(ui.form.title, "Notes");
  EXPECT_EQ(ui.layout->bodyLabel, "User text");

  ui.texts = {"License"};
  commands.Command(app::CommandId::AddUserIndex);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0],
            (text::Report{"USER INDEX", "This topic name already exists", text::ReportIcon::None}));
  // Escape in the name prompt adds nothing and says nothing.
  commands.Command(app::CommandId::AddUserTopic);
  EXPECT_EQ(project.ItemCount(), 5u);
  EXPECT_EQ(ui.messages.size(), 1u);

  commands.page.TopicListEvent(2, true);
  commands.Command(app::CommandId::DeleteItem);
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "F1", "Notes", "License"}));
  EXPECT_EQ(ui.form.title, "Index");
  // The Index page is never deleted, even when the command arrives for it.
  commands.Command(app::CommandId::DeleteItem);
  EXPECT_EQ(project.ItemCount(), 4u);

  // After a move and a delete the Index page lists its functions as the help links them.
  UseProject({"Index", "A", "B", "C"});
  commands.page.TopicListEvent(3, false);
  commands.page.MoveUp();
  commands.page.TopicListEvent(1, true);
  commands.Command(app::CommandId::DeleteItem);
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "C", "B"}));
  EXPECT_EQ(ui.form.body, "C\r\nB");
}

// The menus offer a command exactly when it would act, and undo and redo name their change.
TEST_F(CommandTest, statesSayWhichCommandsWouldActAndWhatUndoTakesBack) {
  UseProject({"Index", "A", "B", "U*"});
  app::CommandStates s = commands.States();
  EXPECT_FALSE(s.canDelete || s.canPreview || s.canMoveUp || s.canMoveDown) << "nothing shown";
  EXPECT_EQ(s.undo, "");

  commands.page.TopicListEvent(0, false);
  s = commands.States();
  EXPECT_FALSE(s.canDelete) << "the Index page is never deleted";
  EXPECT_TRUE(s.canPreview);
  EXPECT_FALSE(s.canMoveUp || s.canMoveDown);

  commands.page.TopicListEvent(2, false);
  s = commands.States();
  EXPECT_TRUE(s.canDelete && s.canMoveUp);
  EXPECT_FALSE(s.canMoveDown) << "a function page cannot enter the user topics";
  EXPECT_EQ(s.shownTopic, "B");

  commands.Command(app::CommandId::DeleteItem);
  s = commands.States();
  EXPECT_EQ(s.undo, "delete 'B'");
  EXPECT_EQ(s.redo, "");
  EXPECT_FALSE(s.canDelete) << "the deletion shows the Index page";
  commands.page.Undo();
  s = commands.States();
  EXPECT_EQ(s.undo, "");
  EXPECT_EQ(s.redo, "delete 'B'");
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "A", "B", "U"}));
}

TEST_F(CommandTest, movesCommitTheTypingAndRedisplayTheTopic) {
  UseProject({"Index", "A", "B"});
  commands.page.TopicListEvent(2, false);
  ui.form.body = "typed";
  commands.page.MoveUp();
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "B", "A"}));
  EXPECT_EQ(ui.form.body, "typed");
  EXPECT_EQ(project.FindTopic("B")->body, "typed");
  commands.page.MoveUp();  // row 1 cannot move up
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "B", "A"}));
  commands.page.MoveDown();
  EXPECT_EQ(RowTexts(project), (std::vector<std::string>{"Index", "A", "B"}));
}

TEST_F(CommandTest, previewPagesShowTheFunctionsListsInTheOrderMovesLeft) {
  UseProject({"Index", "Alpha", "Beta"});
  commands.page.TopicListEvent(2, false);
  commands.page.MoveUp();
  // The Index page asked for by a browser after the move, with nothing written in between.
  const auto index = commands.previews.Page("help", "Index.html");
  ASSERT_TRUE(index);
  ASSERT_NE(index->find("Alpha"), std::string::npos);
  EXPECT_LT(index->find("Beta"), index->find("Alpha"));
}

TEST_F(CommandTest, tagButtonsWriteIntoTheEditorTouchedLastUntilAnotherCommandRuns) {
  UseProject({"Index", "A"});
  commands.page.TagButton("<b>");
  EXPECT_TRUE(ui.insertedTags.empty());
  commands.page.EditorEvent(app::Editor::Body);
  commands.page.TagButton("<b>");
  commands.page.TagButton("</b>");
  ASSERT_EQ(ui.insertedTags.size(), 2u);
  EXPECT_EQ(ui.insertedTags[0], std::make_pair(app::Editor::Body, std::string("<b>")));
  // Language and caption events keep the editor; any other command forgets it.
  ui.languageChosen = state.currentLanguage;
  commands.options.LanguageChosen();
  commands.options.CaptionEdited();
  commands.page.TagButton("<i>");
  EXPECT_EQ(ui.insertedTags.size(), 3u);
  commands.page.TopicListEvent(1, false);
  commands.page.TagButton("<u>");
  EXPECT_EQ(ui.insertedTags.size(), 3u);

  // An example that is code would show a tag as typed: the buttons leave it alone, and only it.
  commands.page.EditorEvent(app::Editor::Example);
  commands.page.TagButton("<b>");
  EXPECT_EQ(ui.insertedTags.size(), 4u);
  ui.examplesAsCode = true;
  commands.page.TagButton("<b>");
  EXPECT_EQ(ui.insertedTags.size(), 4u);
  commands.page.EditorEvent(app::Editor::Summary);
  commands.page.TagButton("<b>");
  ASSERT_EQ(ui.insertedTags.size(), 5u);
  EXPECT_EQ(ui.insertedTags[4], std::make_pair(app::Editor::Summary, std::string("<b>")));
}

// A link goes where a tag would, in the form the auto-link writes, from wherever the page
// lies; the dialog offers every page a link can name.
TEST_F(CommandTest, insertLinkWritesTheAutoLinksFormIntoTheEditorTouchedLast) {
  UseProject({"Index", "TextTrim", "G#", "Notes/Deep*", "a<b & c*", "Say \"hi\"*", "Caf\xe9*"});
  commands.page.TopicListEvent(1, false);
  ui.linkTargets = {"Notes/Deep"};
  commands.page.InsertLink();
  EXPECT_TRUE(ui.offeredPages.empty());
  EXPECT_EQ(ui.statuses.back(),
            "No link inserted: first click where it goes in a text of the page");

  commands.page.EditorEvent(app::Editor::Body);
  commands.page.InsertLink();
  ASSERT_EQ(ui.offeredPages.size(), 1u);
  EXPECT_EQ(ui.offeredPages[0], (std::vector<std::string>{"Index", "TextTrim", "G", "Notes/Deep",
                                                          "a<b & c", "Caf\xe9"}));
  // The selection becomes the link's text; a name is written so that it reads as itself.
  ui.linkTargets = {"Index", "a<b & c", "Caf\xe9", "Nowhere"};
  ui.selection = "the start";
  commands.page.InsertLink();
  ui.selection.clear();
  commands.page.InsertLink();
  commands.page.InsertLink();
  commands.page.InsertLink();
  EXPECT_EQ(ui.statuses.back(), "No link inserted: the project has no page 'Nowhere'");
  commands.page.InsertLink();  // cancelled
  const std::string cafe =
#ifdef _WIN32
      "Caf\xe9.html";
#else
      "Caf\xc3\xa9.html";  // the page's file name, as the compiler looks it up
#endif
  using Inserted = std::vector<std::pair<app::Editor, std::string>>;
  EXPECT_EQ(ui.insertedMarkup,
            (Inserted{{app::Editor::Body, "<a href=\"Notes/Deep.html\">Notes/Deep</a>"},
                      {app::Editor::Body, "<a href=\"Index.html\">the start</a>"},
                      {app::Editor::Body, "<a href=\"a<b & c.html\">a&lt;b &amp; c</a>"},
                      {app::Editor::Body, "<a href=\"" + cafe + "\">Caf\xe9</a>"}}));

  // From a page in a sub-folder the link climbs to the help folder first.
  ui.insertedMarkup.clear();
  commands.page.TopicListEvent(3, false);
  commands.page.EditorEvent(app::Editor::Body);
  ui.linkTargets = {"TextTrim"};
  commands.page.InsertLink();
  EXPECT_EQ(ui.insertedMarkup,
            (Inserted{{app::Editor::Body, "<a href=\"../TextTrim.html\">TextTrim</a>"}}));

  // Not into a text the program makes (the index's functions list), nor into code.
  ui.insertedMarkup.clear();
  commands.page.TopicListEvent(0, false);
  commands.page.EditorEvent(app::Editor::Body);
  ui.linkTargets = {"TextTrim"};
  commands.page.InsertLink();
  EXPECT_EQ(ui.statuses.back(),
            "No link inserted: first click where it goes in a text of the page");
  commands.page.EditorEvent(app::Editor::Example);
  ui.examplesAsCode = true;
  commands.page.InsertLink();
  EXPECT_EQ(ui.statuses.back(), "No link inserted: examples are code, which shows markup as typed");
  EXPECT_TRUE(ui.insertedMarkup.empty());
  commands.page.EditorEvent(app::Editor::Summary);
  commands.page.InsertLink();
  EXPECT_EQ(ui.insertedMarkup,
            (Inserted{{app::Editor::Summary, "<a href=\"TextTrim.html\">TextTrim</a>"}}));
}

// A picture is copied beside the project's pages (a relative help folder lies beside the
// project file) and shown where the caret is; a different file of its name stays unless the
// author says otherwise, and then nothing is inserted.
TEST_F(CommandTest, insertPictureCopiesIntoTheHelpFolderThenShowsIt) {
  testsupport::TempFolder temp;
  temp.Write("shots/logo.png", "first");
  temp.Write("other/logo.png", "second");
  UseProject({"Index", "TextTrim", "Notes/Deep*"}, temp.Path("project/p.qsp"));
  commands.page.TopicListEvent(1, false);
  commands.page.EditorEvent(app::Editor::Body);
  commands.page.InsertPicture();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "No help folder defined!");
  EXPECT_TRUE(ui.requesters.empty());

  project.helpFolder = "help/";
  commands.page.InsertPicture();  // cancelled
  ui.files = {{temp.Path("shots/logo.png"), 0},
              {temp.Path("other/logo.png"), 0},
              {temp.Path("shots/logo.png"), 0}};
  commands.page.InsertPicture();
  EXPECT_EQ(temp.Read("project/help/pictures/logo.png"), "first");
  const std::string pictures = temp.Path("project/help/pictures") + text::NativeSeparator();
  EXPECT_EQ(ui.statuses.back(), "Picture logo.png copied into " + pictures);
  ui.answers = {false};
  commands.page.InsertPicture();
  EXPECT_EQ(temp.Read("project/help/pictures/logo.png"), "first");
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].title, "WARNING");
  commands.page.TopicListEvent(2, false);
  commands.page.EditorEvent(app::Editor::Body);
  commands.page.InsertPicture();
  EXPECT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.statuses.back(),
            "Picture logo.png shown from " + pictures + ", which holds it already");

  using Inserted = std::vector<std::pair<app::Editor, std::string>>;
  EXPECT_EQ(ui.insertedMarkup,
            (Inserted{{app::Editor::Body, "<img src=\"pictures/logo.png\">"},
                      {app::Editor::Body, "<img src=\"../pictures/logo.png\">"}}));
  ASSERT_EQ(ui.requesters.size(), 4u);
  EXPECT_EQ(ui.requesters[0].title, "Insert picture");
  EXPECT_EQ(ui.requesters[0].pattern, std::string(output::kPicturePattern));
  // The requester opens beside the project, then where the last picture came from.
  EXPECT_EQ(ui.requesters[0].start, temp.Path("project/"));
  EXPECT_EQ(ui.requesters[3].start, temp.Path("other/"));
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(CommandTest, viewModeShowsPagesMadeOnRequestAndLeavingShowsTheRowLastSelected) {
  UseProject({"Index", "A", "B"});
  commands.page.TopicListEvent(1, false);
  ui.form.title = "A edited";
  commands.page.EditView();
  EXPECT_TRUE(state.viewMode);
  EXPECT_TRUE(ui.viewMode);
  EXPECT_EQ(project.FindTopic("A")->title, "A edited");
  EXPECT_EQ(ui.browser, "preview://help/A.html");
  EXPECT_NE(commands.previews.Page("help", "A.html")->find("A edited"), std::string::npos);
  // In view mode the list only navigates.
  commands.page.TopicListEvent(2, false);
  EXPECT_EQ(ui.browser, "preview://help/B.html");
  EXPECT_EQ(project.shownTopic(), "A");
  commands.Command(app::CommandId::EditViewKey);
  EXPECT_FALSE(state.viewMode);
  EXPECT_EQ(project.shownTopic(), "B");
  EXPECT_EQ(ui.form.title, "B");
  EXPECT_FALSE(Logged("build"));
}

TEST_F(CommandTest, leavingViewModeShowsTheRowTheListHasSelectedAfterMovesAndRefills) {
  UseProject({"Index", "A", "B", "C"});
  project.libraryFile = "/lib/Lib";
  services.libraries["Lib"] = {"Index", "F1", "F2", "License*"};
  commands.page.TopicListEvent(1, false);
  commands.page.EditView();
  commands.page.TopicListEvent(3, false);
  // The moved row stays selected: leaving shows its topic, not the one now in its old place.
  commands.page.MoveUp();
  ASSERT_EQ(project.selectedRow(), 2);
  commands.page.EditView();
  EXPECT_EQ(project.shownTopic(), "C");
  EXPECT_EQ(ui.form.title, "C");

  // An extraction refills the rows and selects the Index page's row.
  commands.page.EditView();
  commands.page.TopicListEvent(3, false);
  commands.project.Extract();
  commands.page.EditView();
  EXPECT_EQ(project.shownTopic(), "Index");
  EXPECT_EQ(ui.form.title, "Index");
}

TEST_F(CommandTest, viewModeWithoutAShownTopicShowsNothing) {
  UseProject({"Index"});
  commands.page.EditView();
  EXPECT_TRUE(state.viewMode);
  EXPECT_EQ(ui.browser, "about:blank");
  commands.page.EditView();
  project.SetShownTopic("Index");
  commands.page.EditView();
  EXPECT_EQ(ui.browser, "preview://help/Index.html");
}

// The live pane: the page of the form as typed, again only when it changed, following the
// shown topic; the project never learns of it.
TEST_F(CommandTest, livePaneShowsTheFormAsTypedWithoutCommittingOrModifying) {
  UseProject({"Index", "A", "B"});
  commands.page.TopicListEvent(1, false);
  commands.page.RefreshLivePane();
  EXPECT_TRUE(ui.livePages.empty()) << "off: nothing is made";

  commands.Command(app::CommandId::LivePane);
  EXPECT_TRUE(state.livePane);
  EXPECT_TRUE(ui.livePane);
  ASSERT_EQ(ui.livePages, std::vector<std::string>{"preview://live/A.html"});

  ui.form.body = "Typed, not committed";
  commands.page.RefreshLivePane();
  EXPECT_EQ(ui.livePages.size(), 2u);
  EXPECT_NE(commands.previews.Page("live", "A.html")->find("Typed, not committed"),
            std::string::npos);
  // Other pages and the preview's own stay as committed.
  EXPECT_EQ(commands.previews.Page("help", "A.html")->find("Typed"), std::string::npos);
  EXPECT_EQ(commands.previews.Page("live", "B.html"), commands.previews.Page("help", "B.html"));
  EXPECT_EQ(project.FindTopic("A")->body, "");
  EXPECT_FALSE(project.modified);
  commands.page.RefreshLivePane();
  EXPECT_EQ(ui.livePages.size(), 2u) << "nothing new: no reload";

  commands.page.TopicListEvent(2, false);
  commands.page.RefreshLivePane();
  EXPECT_EQ(ui.livePages.back(), "preview://live/B.html");
  EXPECT_TRUE(project.modified) << "the selection committed A, as it always does";

  project.SetShownTopic({});
  commands.page.RefreshLivePane();
  EXPECT_EQ(ui.livePages.back(), "about:blank");
  commands.Command(app::CommandId::LivePane);
  EXPECT_FALSE(ui.livePane);
}

// "Examples are code" reaches the live pane at once, and every preview page while it is on.
TEST_F(CommandTest, examplesAsCodeShowsInTheLivePaneAndThePreviewsWhileChecked) {
  UseProject({"Index", "A"});
  project.FindTopic("A")->example = "If a<b";
  commands.page.TopicListEvent(1, false);
  commands.Command(app::CommandId::LivePane);
  ASSERT_EQ(ui.livePages.size(), 1u);
  EXPECT_NE(commands.previews.Page("live", "A.html")->find("\r\nIf a<b\r\n"), std::string::npos);

  ui.examplesAsCode = true;
  commands.page.ExamplesAsCodeChanged();
  EXPECT_EQ(ui.livePages.size(), 2u) << "the page changed: the pane reloads";
  const std::string coded = "<font color=\"#006666\"><b>If</b></font> a&lt;b";
  EXPECT_NE(commands.previews.Page("live", "A.html")->find(coded), std::string::npos);
  EXPECT_NE(commands.previews.Page("help", "A.html")->find(coded), std::string::npos);
  EXPECT_FALSE(project.modified);

  ui.examplesAsCode = false;
  commands.page.ExamplesAsCodeChanged();
  EXPECT_EQ(ui.livePages.size(), 3u);
  EXPECT_EQ(commands.previews.Page("help", "A.html")->find("a&lt;b"), std::string::npos);
}

TEST_F(CommandTest, escapeDoesNothingWithoutTheBrowser) {
  UseProject({"Index"});
  ui.editViewAvailable = false;
  commands.Command(app::CommandId::EditViewKey);
  EXPECT_FALSE(state.viewMode);
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace qs::apptest
