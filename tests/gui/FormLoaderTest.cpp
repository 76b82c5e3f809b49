#include <gtest/gtest.h>

#include "FormLoader.h"

namespace {

using gui::PropertyValue;
using gui::TComponent;

std::vector<std::string>* journal = nullptr;

// A component that writes down what the loader does to it.
class Probe : public TComponent {
public:
    explicit Probe(TComponent* owner) : TComponent(owner) { SetClassName("TProbe"); }

    bool SetProperty(const std::string& name, const PropertyValue& value) override {
        if (name == "Width" || name == "Caption" || name == "Font.Size") {
            journal->push_back(Name() + "." + name + (Loading() ? " loading" : "") +
                               (container ? " in " + container->Name() : ""));
            if (name == "Width") width = value.AsInt();
            return true;
        }
        if (name == "OnClick") {
            onClick = FindHandler<void(gui::TObject*)>(value.AsIdent());
            return true;
        }
        return TComponent::SetProperty(name, value);
    }

    void AddDescribedChild(TComponent* child) override {
        journal->push_back(Name() + " takes " + child->Name());
        if (auto* probe = dynamic_cast<Probe*>(child)) probe->container = this;
    }

    void Loaded() override {
        journal->push_back("loaded " + Name() + (Loading() ? " loading" : ""));
    }

    Probe* container = nullptr;
    int width = 0;
    gui::TNotifyEvent onClick;
};

class FormLoader : public ::testing::Test {
protected:
    void SetUp() override {
        journal = &log;
        gui::ClassRegistry::Register("TProbe", [](TComponent* owner) { return new Probe(owner); });
        root.SetClassName("TRootForm");
    }
    void TearDown() override { journal = nullptr; }

    std::vector<std::string> log;
    Probe root{nullptr};
};

TEST_F(FormLoader, PlacesEachObjectBeforeReadingItsPropertiesAndLoadsAllAtTheEnd) {
    gui::LoadDescription(root,
                         "object Form1: TRootForm\n"
                         "  Width = 400\n"
                         "  object Panel1: TProbe\n"
                         "    Width = 10\n"
                         "    Font.Size = 9\n"
                         "    object Label1: TProbe\n"
                         "      Caption = 'x'\n"
                         "    end\n"
                         "  end\n"
                         "  object Timer1: TProbe\n"
                         "  end\n"
                         "end\n");
    EXPECT_EQ(log, (std::vector<std::string>{
                       "Form1.Width loading",
                       "Form1 takes Panel1",
                       "Panel1.Width loading in Form1",
                       "Panel1.Font.Size loading in Form1",
                       "Panel1 takes Label1",
                       "Label1.Caption loading in Panel1",
                       "Form1 takes Timer1",
                       "loaded Form1",
                       "loaded Panel1",
                       "loaded Label1",
                       "loaded Timer1",
                   }));
    EXPECT_EQ(root.Name(), "Form1");
    EXPECT_EQ(root.width, 400);
}

TEST_F(FormLoader, EveryDescribedObjectBelongsToTheRoot) {
    gui::LoadDescription(root,
                         "object Form1: TRootForm\n"
                         "  object Panel1: TProbe\n"
                         "    object Label1: TProbe\n"
                         "    end\n"
                         "  end\n"
                         "end\n");
    ASSERT_EQ(root.ComponentCount(), 2);
    auto* label = dynamic_cast<Probe*>(root.FindComponent("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Owner(), &root);
    EXPECT_EQ(label->ClassName(), "TProbe");
    EXPECT_EQ(label->container, root.FindComponent("Panel1"));
    EXPECT_FALSE(label->Loading());
}

TEST_F(FormLoader, EventBindingsFindTheRootsHandlers) {
    int clicks = 0;
    root.RegisterHandler<void(gui::TObject*)>("Button1Click", [&](gui::TObject*) { ++clicks; });
    gui::LoadDescription(root,
                         "object Form1: TRootForm\n"
                         "  object Button1: TProbe\n"
                         "    OnClick = Button1Click\n"
                         "  end\n"
                         "end\n");
    auto* button = static_cast<Probe*>(root.FindComponent("Button1"));
    ASSERT_TRUE(button->onClick);
    button->onClick(button);
    EXPECT_EQ(clicks, 1);
}

// A form unit as programs write them: fields and handler methods declared once, bound by name.
class BoundRoot : public Probe {
public:
    explicit BoundRoot(bool withStray = false) : Probe(nullptr) {
        SetClassName("TBoundRoot");
        GUI_CONTROLS(Button1, Panel1);
        if (withStray) GUI_CONTROLS(Stray);
        GUI_HANDLERS(Button1Click, PanelKey);
    }
    void Button1Click(gui::TObject* sender) { clicked.push_back(sender); }
    void PanelKey(gui::TObject*, char& key) { key = 'k'; }

    Probe* Button1 = nullptr;
    Probe* Panel1 = nullptr;
    Probe* Stray = nullptr;
    std::vector<gui::TObject*> clicked;
};

class Other : public TComponent {
public:
    using TComponent::TComponent;
};

TEST_F(FormLoader, BoundFieldsAndHandlersMeetTheirDescribedObjects) {
    BoundRoot form;
    gui::LoadDescription(form,
                         "object Form1: TBoundRoot\n"
                         "  object PANEL1: TProbe\n"
                         "    object Button1: TProbe\n"
                         "      OnClick = button1click\n"  // names match in any case
                         "    end\n"
                         "  end\n"
                         "end\n");
    ASSERT_NE(form.Button1, nullptr);
    EXPECT_EQ(form.Button1, form.FindComponent("Button1"));
    EXPECT_EQ(form.Panel1, form.FindComponent("Panel1"));
    form.Button1->onClick(form.Button1);
    EXPECT_EQ(form.clicked, std::vector<gui::TObject*>{form.Button1});
    // The handler's signature comes from the method: a key handler is no click handler.
    EXPECT_THROW(form.FindHandler<void(gui::TObject*)>("PanelKey"), gui::Exception);
    char key = 'a';
    form.FindHandler<void(gui::TObject*, char&)>("PanelKey")(nullptr, key);
    EXPECT_EQ(key, 'k');
}

TEST_F(FormLoader, AFieldWithoutItsObjectOrOfAnotherClassIsADescriptionError) {
    gui::ClassRegistry::Register<Other>("TOther");
    gui::ClassRegistry::Register<Probe>("TProbe");
    struct Case {
        bool withStray;
        const char* body;
        std::vector<const char*> words;
    } cases[] = {
        {true,
         "  object Button1: TProbe\n  end\n  object Panel1: TProbe\n  end\n",
         {"Line 1", "TBoundRoot declares Stray (TProbe)", "does not hold"}},
        {false,
         "  object Panel1: TProbe\n  end\n  object Button1: TOther\n  end\n",
         {"Line 4", "Button1 is a TOther", "declares it a TProbe"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        BoundRoot form(c.withStray);
        try {
            gui::LoadDescription(form,
                                 std::string("object Form1: TBoundRoot\n") + c.body + "end\n");
            ADD_FAILURE() << "accepted";
        } catch (const gui::DescriptionError& e) {
            for (const char* word : c.words)
                EXPECT_NE(std::string(e.what()).find(word), std::string::npos) << e.what();
        }
    }
}

// Failures name what was wrong and where, and leave no object half loaded.
TEST_F(FormLoader, FailuresNameTheLineTheObjectAndTheCulprit) {
    struct Case {
        const char* body;
        std::vector<const char*> words;
    } cases[] = {
        {"  object A: TProbe\n    Colour = 1\n  end\n", {"Line 3", "Colour", "A (TProbe)"}},
        {"  object A: TMissing\n  end\n", {"Line 2", "TMissing", "not found"}},
        {"  object A: TProbe\n    Width = 'wide'\n  end\n",
         {"Line 3", "A (TProbe).Width", "Invalid property value"}},
        {"  object A: TProbe\n    OnClick = NoSuchMethod\n  end\n",
         {"Line 3", "NoSuchMethod", "not found"}},
        {"  object A: TProbe\n  end\n  object A: TProbe\n  end\n",
         {"Line 4", "named A already exists"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        Probe form(nullptr);
        form.SetClassName("TRootForm");
        try {
            gui::LoadDescription(form, std::string("object Form1: TRootForm\n") + c.body + "end\n");
            ADD_FAILURE() << "accepted";
        } catch (const gui::Exception& e) {
            for (const char* word : c.words)
                EXPECT_NE(std::string(e.what()).find(word), std::string::npos) << e.what();
        }
        EXPECT_FALSE(form.Loading());
        for (int i = 0; i < form.ComponentCount(); ++i) EXPECT_FALSE(form.Component(i)->Loading());
    }
}

TEST_F(FormLoader, TheDescriptionMustBeOfTheRootsClass) {
    try {
        gui::LoadDescription(root, "object Form1: TOtherForm\nend\n");
        FAIL() << "accepted";
    } catch (const gui::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("TOtherForm"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("TRootForm"), std::string::npos);
    }
    EXPECT_NO_THROW(gui::LoadDescription(root, "object Form1: trootform\nend\n"));
}

}  // namespace
