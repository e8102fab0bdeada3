#pragma once

// Sets g_systemType from the version Windows reports; leaves it when the query fails.
void DetectSystemType();
