#pragma once

#include "app/phi_form.h"
#include "dialogs/about_box.h"
#include "dialogs/edit_ik_form.h"
#include "dialogs/edit_level_form.h"
#include "dialogs/edit_obj_form.h"

#include <memory>

// The program's windows, each created once at start-up and kept until it ends. The
// dialogs are the main window's children, so they go first.
struct VarnokeForms {
    std::unique_ptr<TPHIForm> PHIForm;
    std::unique_ptr<TAboutBox> AboutBox;
    std::unique_ptr<TEditOBJForm> EditOBJForm;
    std::unique_ptr<TEditIKForm> EditIKForm;
    std::unique_ptr<TEditLevelForm> EditLevelForm;

    VarnokeForms() = default;
    VarnokeForms(VarnokeForms&&) = default;
    VarnokeForms& operator=(VarnokeForms&& other) noexcept;
    ~VarnokeForms();

private:
    void Reset();
};

// Creates the windows in their order; the main window's start-up checks run first.
VarnokeForms CreateForms(Prompts& prompts, const QString& programPath);
