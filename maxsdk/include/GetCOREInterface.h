#pragma once
// Stand-in for the host SDK's access to its core interface.

class Interface;

Interface* GetCOREInterface();
