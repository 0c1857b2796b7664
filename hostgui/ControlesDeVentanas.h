#pragma once

struct HostContext;

// The widget side of the host's key handling: fills the context's mueveFoco (the focus to
// the next or previous field of the focused field's window, as Tab does) and resalta (a
// text box's or editable combo's text selected, also after the click that gave it the
// focus). The windows' program calls it once on the context it hands the host.
void PreparaParaVentanas(HostContext &contexto);
