// A document property's link: position, address or script by its position word.
#include "layout/styles/document_link_action.h"

#include <gtest/gtest.h>

namespace {

TEST(MakeLinkAction, KindFollowsThePositionWord) {
  struct Case {
    int32_t position;
    int32_t kind;
  };
  for (Case c : {Case{1234, LinkAction::kFilePosition}, Case{0, LinkAction::kFilePosition},
                 Case{DocumentProperty::kPositionIsUrl, LinkAction::kAddress},
                 Case{DocumentProperty::kPositionIsScript, LinkAction::kScript}}) {
    SCOPED_TRACE(c.position);
    DocumentProperty property;
    property.position = c.position;
    ASSERT_TRUE(property.text.FromChars(u"go", 2));
    LinkAction* action = MakeLinkAction(property);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->kind, c.kind);
    if (c.kind == LinkAction::kFilePosition) {
      EXPECT_EQ(action->number, c.position);
    } else {
      EXPECT_EQ(action->target.length, 2u);
    }
    action->Release();
  }
}

}  // namespace
