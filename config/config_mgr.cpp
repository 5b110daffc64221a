#include "config/config_mgr.h"

ZEPRenderingConfigMgr::~ZEPRenderingConfigMgr() = default;

ZEPRenderingConfigMgr& GetZEPRenderingConfigMgr() {
    static ZEPRenderingConfigMgr instance;
    return instance;
}
