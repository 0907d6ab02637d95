#include "player/win/AutoRunForm.h"

// The menu's background: drawn by the picture thread while the window is made, so that the first
// paint only has to copy it.

#include "platform/win/WideText.h"
#include "platform/win/Win32Graphics.h"
#include "player/win/GradientForm.h"
#include "player/win/PanelPaint.h"
#include "project/win/Win32Text.h"

namespace corvela::win {

void AutoRunForm::PaintBackground() {
  panel1_.BackgroundChanged();
}

void AutoRunForm::PrerenderBackground() {
  auto* loader = dynamic_cast<Win32GraphicLoader*>(state_.Env.Graphics);
  RECT inner{};
  if (!loader || !::GetClientRect(panel1_.hwnd(), &inner)) return;
  auto job = std::make_shared<Prerendered>();
  job->Project.BackColor = state_.Project.BackColor;
  job->Project.GradientColor = state_.Project.GradientColor;
  job->Project.GradientStyle = state_.Project.GradientStyle;
  job->Width = inner.right;
  job->Height = inner.bottom;
  job->Dpi = scale_.Dpi();
  for (const auto& obj : state_.Project.Objects) {
    if (!obj) continue;
    if (const LabelControl* label = obj->AsLabel(); label && obj->Kind == ObjectKind::Label)
      job->Texts.emplace_back(label->Font, label->Caption);
    else if (const ButtonControl* button = obj->AsButton(); button && obj->Kind == ObjectKind::Button)
      job->Texts.emplace_back(button->Font, button->Caption);
  }
  // The job owns what it reads and writes: the window may be gone before it ends.
  SystemColours* colours = state_.Env.Colours;
  if (loader->RunAfterPrefetch([job, colours] {
        DibSurface renderer;
        job->Picture = win::RenderBackground(renderer, job->Project, colours, job->Width, job->Height);
        // Drawing each caption once loads its font's face and glyphs into the cache the whole
        // process shares, which the first paint's text would otherwise wait for.
        FontCache fonts;
        DibSurface scratch;
        if (!scratch.Resize(256, 64)) return;
        for (const auto& [font, text] : job->Texts) {
          SelectScope select(scratch.Dc(), fonts.Get(font, job->Dpi));
          RECT r{0, 0, 256, 64};
          // Laid out as the paint lays it out, so that the fonts Windows falls back on for
          // characters the face lacks are loaded too.
          const std::wstring wide = Wide(text);
          ::DrawTextW(scratch.Dc(), wide.c_str(), static_cast<int>(wide.size()), &r,
                      TextFlags(false, text) | DT_NOCLIP);
        }
      }))
    prerendered_ = std::move(job);
}

UniqueBitmap AutoRunForm::TakePrerendered(int32_t width, int32_t height) {
  // Taken once: any later picture is made for a change the job never saw.
  const std::shared_ptr<Prerendered> job = std::exchange(prerendered_, nullptr);
  if (!job) return {};
  if (auto* loader = dynamic_cast<Win32GraphicLoader*>(state_.Env.Graphics)) loader->WaitForJob();
  const MenuProject& p = state_.Project;
  if (job->Width != width || job->Height != height || job->Project.BackColor != p.BackColor ||
      job->Project.GradientColor != p.GradientColor || job->Project.GradientStyle != p.GradientStyle)
    return {};
  return std::move(job->Picture);
}

UniqueBitmap AutoRunForm::RenderBackground(int32_t width, int32_t height) {
  if (UniqueBitmap picture = TakePrerendered(width, height)) return picture;
  return gradient_ ? gradient_->RenderBackground(state_, width, height) : win::RenderBackground(state_, width, height);
}

}  // namespace corvela::win
