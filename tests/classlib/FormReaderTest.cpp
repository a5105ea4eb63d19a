#include "tests/support/testing.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/FormReader.h"

#include <memory>
#include <vector>

using namespace classlib;

namespace {

enum class TThingKind { tkSmall, tkLarge };
enum class TThingSide { sdLeft, sdTop, sdRight };

// What the components under test did, in order.
std::vector<String>& Events() {
  static std::vector<String> events;
  return events;
}

String Reading(const TComponent& component) {
  const TComponentState state = component.ComponentState();
  return String(state.Contains(TComponentStateItem::csLoading) ? " loading" : "") +
         (state.Contains(TComponentStateItem::csReading) ? " reading" : "");
}

// One of each kind of published property, and a record of how the reader treated it.
class TTestThing : public TComponent {
public:
  using TComponent::TComponent;

  void SetCount(int Value) {
    FCount = Value;
    Events().push_back(Name() + ".Count" + Reading(*this));
  }
  void SetTitle(const String& Value) { FTitle = Value; }
  void SetVisible(bool Value) { FVisible = Value; }
  void SetColor(TColor Value) { FColor = Value; }
  void SetKind(TThingKind Value) { FKind = Value; }
  void SetSides(Set<TThingSide> Value) { FSides = Value; }
  void SetBuddy(TTestThing* Value) { FBuddy = Value; }

  void SetParentComponent(TComponent* Value) override {
    FParentComponent = Value;
    Events().push_back(Name() + " in " + Value->Name() + Reading(*this));
  }
  void Loaded() override {
    Events().push_back(Name() + " loaded" + Reading(*this) + (FBuddy ? " buddy " + FBuddy->Name() : ""));
    TComponent::Loaded();
  }

  int FCount = 0;
  String FTitle;
  bool FVisible = true;
  TColor FColor = clBlack;
  TThingKind FKind = TThingKind::tkSmall;
  Set<TThingSide> FSides;
  TTestThing* FBuddy = nullptr;
  std::vector<String> FItems;
  TNotifyEvent OnClick;
  TComponent* FParentComponent = nullptr;
};

// The root: registers the handlers its descriptions bind by name.
class TTestForm : public TTestThing {
public:
  explicit TTestForm(TComponent* AOwner) : TTestThing(AOwner) {
    RegisterHandler<TNotifyEvent>("ThingClick", [this](TObject* Sender) { Clicked = Sender; });
  }
  TObject* Clicked = nullptr;
};

class TPlainThing : public TComponent {
public:
  using TComponent::TComponent;
};

class TAbstractThing : public TComponent {
public:
  using TComponent::TComponent;
  virtual void Draw() = 0;
};

void RegisterTestClasses() {
  static const bool registered = [] {
    TClassRegistry& registry = TClassRegistry::Instance();
    registry.Register<TTestThing>("TReaderThing", "TComponent")
        .Integer("Count", &TTestThing::SetCount)
        .Text("Title", &TTestThing::SetTitle)
        .Boolean("Visible", &TTestThing::SetVisible)
        .Color("Color", &TTestThing::SetColor)
        .Enum("Kind", &TTestThing::SetKind, {{"tkSmall", TThingKind::tkSmall}, {"tkLarge", TThingKind::tkLarge}})
        .SetOf("Sides", &TTestThing::SetSides,
               {{"sdLeft", TThingSide::sdLeft}, {"sdTop", TThingSide::sdTop}, {"sdRight", TThingSide::sdRight}})
        .Event("OnClick", &TTestThing::OnClick)
        .Reference("Buddy", &TTestThing::SetBuddy)
        .Custom("Items.Strings",
                [](TTestThing& thing, const TFormValue& value, TReadContext&) {
                  thing.FItems = formvalue::ToStrings(value);
                });
    registry.Register<TTestForm>("TReaderForm", "TReaderThing");
    registry.Register<TPlainThing>("TReaderPlain", "TComponent");
    registry.Register<TAbstractThing>("TReaderAbstract", "TComponent");
    return true;
  }();
  EXPECT_TRUE(registered);
}

class FormReader : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Events().clear();
  }

  TTestThing* Thing(const String& name) const {
    auto* thing = dynamic_cast<TTestThing*>(Form->FindComponent(name));
    EXPECT_NE(thing, nullptr) << name;
    return thing;
  }

  std::unique_ptr<TTestForm> Form = std::make_unique<TTestForm>(nullptr);
};

TEST_F(FormReader, BuildsTheTreeSetsPropertiesResolvesReferencesAndFinishesLoading) {
  ReadComponentText(Form.get(),
                    "object MainForm: TReaderForm\n"
                    "  Count = 3\n"
                    "  Title = 'Main'\n"
                    "  object Panel1: TReaderThing\n"
                    "    Kind = tkLarge\n"
                    "    object Button1: TReaderThing\n"
                    "      Count = -11\n"
                    "      Visible = False\n"
                    "      Color = clRed\n"
                    "      Sides = [sdLeft, sdRight]\n"
                    "      OnClick = ThingClick\n"
                    "      Buddy = Button2\n"
                    "      Items.Strings = (\n"
                    "        'a'\n"
                    "        'b')\n"
                    "    end\n"
                    "  end\n"
                    "  object Button2: TReaderThing\n"
                    "    Buddy = mainform\n"
                    "  end\n"
                    "end\n",
                    "TFORM1");
  EXPECT_EQ(Form->Name(), "MainForm");
  EXPECT_EQ(Form->FCount, 3);
  EXPECT_EQ(Form->FTitle, "Main");

  // Every object belongs to the root, in the order written, whatever it was nested in.
  ASSERT_EQ(Form->ComponentCount(), 3);
  TTestThing* panel = Thing("Panel1");
  TTestThing* button1 = Thing("Button1");
  TTestThing* button2 = Thing("Button2");
  ASSERT_TRUE(panel && button1 && button2);
  EXPECT_EQ(Form->Components(0), panel);
  EXPECT_EQ(Form->Components(2), button2);
  EXPECT_EQ(panel->FParentComponent, Form.get());
  EXPECT_EQ(button1->FParentComponent, panel);
  EXPECT_EQ(button2->FParentComponent, Form.get());

  EXPECT_EQ(panel->FKind, TThingKind::tkLarge);
  EXPECT_EQ(button1->FCount, -11);
  EXPECT_FALSE(button1->FVisible);
  EXPECT_EQ(button1->FColor, clRed);
  EXPECT_EQ(button1->FSides, (Set<TThingSide>{TThingSide::sdLeft, TThingSide::sdRight}));
  EXPECT_EQ(button1->FItems, (std::vector<String>{"a", "b"}));
  EXPECT_EQ(button1->FBuddy, button2);  // written before Button2 existed
  EXPECT_EQ(button2->FBuddy, Form.get());
  ASSERT_TRUE(button1->OnClick);
  button1->OnClick(button1);
  EXPECT_EQ(Form->Clicked, button1);

  // Properties are set while loading and reading; Loaded comes once references are resolved
  // and reading is over, in the order read and the root last.
  const std::vector<String> expected = {
      "MainForm.Count loading reading",
      "Panel1 in MainForm loading reading",
      "Button1 in Panel1 loading reading",
      "Button1.Count loading reading",
      "Button2 in MainForm loading reading",
      "Panel1 loaded loading",
      "Button1 loaded loading buddy Button2",
      "Button2 loaded loading buddy MainForm",
      "MainForm loaded loading",
  };
  EXPECT_EQ(Events(), expected);
  for (const TComponent* component : {static_cast<TComponent*>(Form.get()), static_cast<TComponent*>(panel),
                                      static_cast<TComponent*>(button1), static_cast<TComponent*>(button2)})
    EXPECT_EQ(Reading(*component), "") << component->Name();
}

TEST_F(FormReader, FaultsNameTheFormAndLineAndLeaveNothingHalfRead) {
  const struct {
    const char* body;  // the lines after "object Form1: TReaderForm"
    const char* message;
  } cases[] = {
      {"  object Thing1: TNoSuchThing\n  end\n", "Form1: line 2: unknown class TNoSuchThing"},
      {"  Width = 10\n", "Form1: line 2: unknown property Width of TReaderForm"},
      {"  object Button1: TReaderThing\n    Font.Height = 10\n  end\n",
       "Form1: line 3: unknown property Font.Height of TReaderThing"},
      {"  object Button1: TReaderThing\n    OnClick = Button9Click\n  end\n",
       "Form1: line 3: OnClick: unknown handler \"Button9Click\""},
      {"  object Button1: TReaderThing\n    Buddy = Button9\n  end\n", "Form1: line 3: component Button9 not found"},
      {"  object Plain1: TReaderPlain\n  end\n  object Button1: TReaderThing\n    Buddy = Plain1\n  end\n",
       "Form1: line 5: component Plain1 is of the wrong class"},
      {"  Count = 'ten'\n", "Form1: line 2: Count: an integer is expected"},
      {"  Kind = tkHuge\n", "Form1: line 2: Kind: invalid value tkHuge"},
      {"  Sides = [sdLeft, sdBottom]\n", "Form1: line 2: Sides: invalid set member sdBottom"},
      {"  Color = clMauve\n", "Form1: line 2: Color: unknown colour clMauve"},
      {"  object Shape1: TReaderAbstract\n  end\n", "Form1: line 2: class TReaderAbstract cannot be created"},
      {"  object Button1: TReaderThing\n  end\n  object button1: TReaderThing\n  end\n",
       "Form1: line 4: a component named button1 already exists"},
      {"  Title = 'unterminated\n", "Form1: line 2: unterminated string"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    Events().clear();
    Form = std::make_unique<TTestForm>(nullptr);
    try {
      ReadComponentText(Form.get(), String("object Form1: TReaderForm\n") + c.body + "end\n", "Form1");
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(Form->ComponentCount(), 0);
    EXPECT_EQ(Reading(*Form), "");
  }
}

TEST_F(FormReader, TheRootClassMustBeRegistered) {
  try {
    ReadComponentText(Form.get(), "object Form1: TNoSuchForm\nend\n", "Form1");
    ADD_FAILURE() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Form1: line 1: unknown class TNoSuchForm");
  }
  EXPECT_EQ(Reading(*Form), "");
}

TEST_F(FormReader, AMissingResourceIsNamed) {
  try {
    ReadComponentResource(Form.get(), "TNOSUCHFORM");
    ADD_FAILURE() << "no error";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "resource TNOSUCHFORM not found");
  }
}

}  // namespace
