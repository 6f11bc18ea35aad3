#pragma once

#include "app/phi_form.h"
#include "dialogs/about_box.h"

#include <memory>

// The program's windows, each created once at start-up and kept until it ends.
struct VarnokeForms {
    std::unique_ptr<TPHIForm> PHIForm;
    std::unique_ptr<TAboutBox> AboutBox;
};

// Creates the windows in their order; the main window's start-up checks run first.
VarnokeForms CreateForms(Prompts& prompts, const QString& programPath);
