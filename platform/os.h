#pragma once
// The system services the plug-in uses, one header each; this one names them all.

#include "platform/app_data.h"
#include "platform/code_page.h"
#include "platform/command_line.h"
#include "platform/crt_files.h"
#include "platform/crt_random.h"
#include "platform/files.h"
#include "platform/guid.h"
#include "platform/last_error.h"
#include "platform/local_time.h"
#include "platform/md5.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/shared_memory.h"
#include "platform/tcp_socket.h"
