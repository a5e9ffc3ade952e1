// The system function library: conversion, formatting, date, string, mathematical and other
// functions that every script can call, registered into the global unit with their
// declaration texts and categories ("ctConv", "ctFormat", "ctDate", "ctString", "ctMath",
// "ctOther"), and the Variant type constants (varEmpty ... varByRef).
#pragma once

class TfsScript;
class Variant;

// Registers the functions and constants into Unit (the global unit calls this once).
void fsRegisterSystemFunctions(TfsScript* unit);
