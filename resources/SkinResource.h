// Ids of the skin images drawn by tools/skin_images.py ("PNG" and "GIF" resources).
#pragma once

#define IDP_CAPTION_TRADE      187
#define IDP_CAPTION_CLOSE      188
#define IDP_CAPTION_MAXIMISE   189
#define IDP_CAPTION_MINIMISE   190
#define IDP_CAPTION_CONSOLE    193
#define IDP_COMBO_NORMAL       195
#define IDP_COMBO_HOVER        196
#define IDP_COMBO_PRESSED      197
#define IDP_CAPTION_RISK       205
