#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/ClassRegistry.h"
#include "skin/plain/PlainRegistration.h"
#include "skin/plain/SkinPlainDialogs.h"

#include <memory>

using namespace classlib;
using namespace skin;

namespace {

// Every stand-in as the application's forms hold them.
const char* const EveryClassForm = R"(object TestForm: TForm
  ClientWidth = 701
  ClientHeight = 529
  object OpenDialog1: TskSkinOpenDialog
    Title = 'Open Audio files'
    Filter = 'All(*.mp3;*.wma;*.wav;)|*.mp3;*.wma;*.wav;'
    MultiSelection = True
  end
  object SaveDialog1: TskSkinSaveDialog
    Filter = 'All files|*.lst'
    FilterIndex = 1
    CheckFileExists = False
  end
end
)";

template <class T>
T& Find(TForm& Form, const char* Name) {
  auto* component = dynamic_cast<T*>(Form.FindComponent(Name));
  if (!component) throw EComponentError(String("no ") + Name);
  return *component;
}

TEST(PlainRegistration, AFormDescriptionBuildsEveryStandIn) {
  RegisterPlainSkinClasses();
  RegisterPlainSkinClasses();  // a second call changes nothing
  int clicks = 0;
  auto form = windowtesting::ReadForm(EveryClassForm, [&](TForm& f) {
    f.RegisterHandler<TNotifyEvent>("Clicked", [&](TObject*) { ++clicks; });
  });
  EXPECT_EQ(clicks, 0);

  auto& open = Find<TskSkinOpenDialog>(*form, "OpenDialog1");
  EXPECT_EQ(open.Title(), "Open Audio files");
  EXPECT_TRUE(open.MultiSelection());
  EXPECT_TRUE(open.CheckFileExists());
  auto& save = Find<TskSkinSaveDialog>(*form, "SaveDialog1");
  EXPECT_EQ(save.Title(), "Save file");
  EXPECT_EQ(save.Filter(), "All files|*.lst");
  EXPECT_FALSE(save.CheckFileExists());

  // The whole form comes up as windows.
  form->HandleNeeded();
  EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST(PlainRegistration, EveryClassIsKnownByItsSkinnedName) {
  RegisterPlainSkinClasses();
  const char* names[] = {"TskSkinOpenDialog", "TskSkinSaveDialog"};
  for (const char* name : names) {
    const TClassInfo* info = TClassRegistry::Instance().Find(name);
    ASSERT_NE(info, nullptr) << name;
    ASSERT_TRUE(info->Factory()) << name;
    std::unique_ptr<TComponent> component(info->Factory()(nullptr));
    EXPECT_EQ(component->ClassName(), name);
  }
}

}  // namespace
