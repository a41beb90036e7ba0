// The version the title, the log's banner and the about box show.
#pragma once

constexpr char kProgramVersion[] = "0.4f";
