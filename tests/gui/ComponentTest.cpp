#include <gtest/gtest.h>

#include "Component.h"

namespace {

// Records its own destruction so the tests can see who freed whom and when.
class Probe : public gui::TComponent {
public:
    Probe(gui::TComponent* owner, std::vector<std::string>* log, std::string tag)
        : TComponent(owner), log_(log), tag_(std::move(tag)) {}
    ~Probe() override { log_->push_back(tag_); }

private:
    std::vector<std::string>* log_;
    std::string tag_;
};

TEST(Component, OwnerFreesOwnedComponentsLastCreatedFirst) {
    std::vector<std::string> log;
    auto* form = new Probe(nullptr, &log, "form");
    auto* panel = new Probe(form, &log, "panel");
    new Probe(panel, &log, "label");
    new Probe(form, &log, "timer");
    EXPECT_EQ(form->ComponentCount(), 2);
    delete form;
    // A component logs in its own destructor, before its base frees what it owns.
    EXPECT_EQ(log, (std::vector<std::string>{"form", "timer", "panel", "label"}));
}

TEST(Component, FreeingAnOwnedComponentRemovesItFromItsOwner) {
    std::vector<std::string> log;
    Probe form(nullptr, &log, "form");
    auto* a = new Probe(&form, &log, "a");
    a->SetName("Edit1");
    new Probe(&form, &log, "b");
    EXPECT_EQ(form.FindComponent("edit1"), a);
    delete a;
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.FindComponent("Edit1"), nullptr);
}

TEST(Component, HandlersAreFoundThroughTheRootWithTheirSignature) {
    gui::TComponent form(nullptr);
    auto* button = new gui::TComponent(&form);
    int clicks = 0;
    form.RegisterHandler<void(gui::TObject*)>("Button1Click", [&](gui::TObject*) { ++clicks; });
    button->FindHandler<void(gui::TObject*)>("Button1Click")(button);
    EXPECT_EQ(clicks, 1);
    EXPECT_THROW(button->FindHandler<void(gui::TObject*)>("Missing"), gui::Exception);
    EXPECT_THROW((button->FindHandler<void(gui::TObject*, char&)>("Button1Click")), gui::Exception);
}

TEST(PropertyValue, TypedReadsRefuseOtherKinds) {
    EXPECT_TRUE(gui::PropertyValue::Ident("True").AsBool());
    EXPECT_FALSE(gui::PropertyValue::Ident("false").AsBool());
    EXPECT_THROW(gui::PropertyValue::Ident("Maybe").AsBool(), gui::Exception);
    EXPECT_THROW(gui::PropertyValue::Str("1").AsInt(), gui::Exception);
    EXPECT_EQ(gui::PropertyValue::Int(-7).AsInt(), -7);
}

}  // namespace
