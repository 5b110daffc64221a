#include "plugin/zep_class_desc.h"

#include <plugapi.h>

#include <memory>

#include "log/guarded_call.h"
#include "plugin/plugin_ids.h"
#include "plugin/plugin_menu.h"
#include "plugin/zep_rendering.h"
#include "resources/resource.h"
#include "resources/string_loader.h"
#include "workflow/host_text.h"

int ZEP_Rendering_2022ClassDesc::IsPublic() {
    return TRUE;
}

void* ZEP_Rendering_2022ClassDesc::Create(BOOL /*loading*/) {
    return GuardedCall("ZEP_Rendering_2022ClassDesc::Create", static_cast<void*>(nullptr), [] {
        auto plugin = std::make_unique<ZEP_Rendering_2022>();
        RemoveMenuByTitle(ResourceText(IDS_MENU_TITLE));
        return static_cast<void*>(plugin.release());
    });
}

int ZEP_Rendering_2022ClassDesc::BeginCreate(Interface* /*core*/) {
    return 0;
}

int ZEP_Rendering_2022ClassDesc::EndCreate(Interface* /*core*/) {
    return 0;
}

BOOL ZEP_Rendering_2022ClassDesc::OkToCreate(Interface* /*core*/) {
    return TRUE;
}

const MCHAR* ZEP_Rendering_2022ClassDesc::ClassName() {
    return GuardedCall("ZEP_Rendering_2022ClassDesc::ClassName", static_cast<const MCHAR*>(nullptr),
                       [] { return ToHostText(LoadResourceString(IDS_CLASS_NAME)); });
}

const MCHAR* ZEP_Rendering_2022ClassDesc::NonLocalizedClassName() {
    return _M("ZEP_Rendering_2022");
}

SClass_ID ZEP_Rendering_2022ClassDesc::SuperClassID() {
    return GUP_CLASS_ID;
}

Class_ID ZEP_Rendering_2022ClassDesc::ClassID() {
    return Class_ID(kZepClassIdA, kZepClassIdB);
}

const MCHAR* ZEP_Rendering_2022ClassDesc::Category() {
    return GuardedCall("ZEP_Rendering_2022ClassDesc::Category", static_cast<const MCHAR*>(nullptr),
                       [] { return ToHostText(LoadResourceString(IDS_CATEGORY)); });
}

HINSTANCE ZEP_Rendering_2022ClassDesc::HInstance() {
    return static_cast<HINSTANCE>(ResourceModule());
}

ZEP_Rendering_2022ClassDesc& GetZepClassDesc() {
    static ZEP_Rendering_2022ClassDesc descriptor;
    return descriptor;
}
