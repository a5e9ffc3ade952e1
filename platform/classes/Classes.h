// The component model in one include: TObject, the class registry and published
// properties (Persistent.h), events (Events.h), TComponent (Component.h), TCollection
// (Collection.h), filers (Filer.h) and form-resource / binary streaming (Streaming.h).
#pragma once

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Events.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Streaming.h"
#include "platform/classes/TypInfo.h"
