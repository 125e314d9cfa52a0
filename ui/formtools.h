// The form functions over the form base of widgets/: placing, unloading and
// repainting forms, and pictures from the deliverable's resources.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <string>

#include "widgets/form.h"

namespace ui {

// Moves the form to the middle of the screen's work area, size unchanged.
void CenterForm(widgets::Form& form);
// Unloads every loaded form of this thread.
void UnloadAllForms();
// Repaints the form, then each control that can be repainted.
void RefreshFormControls(widgets::Form& form);

// Loads the picture resource (a picture file's bytes, of the given resource
// type) straight from the deliverable's memory into the control's
// PictureBackground or Picture. A resource that cannot be read is reported
// in a message and the control gets no picture; bytes that are no picture
// raise 481; a control without the property raises 438.
void SetPictureBackgroundFromResource(widgets::Control& control, const std::string& name,
                                      const std::string& type);
void SetPictureFromResource(widgets::Control& control, const std::string& name,
                            const std::string& type);

// Paints the bitmap resource at its own size into the bottom-right corner of
// the picture box. Meant for the box's Paint handler.
void PaintResourcePicture(widgets::PictureBox& box, const std::string& name);

}  // namespace ui
