// A new patient: the number is drawn from the counter table tb_brbh and the patient row
// written with it in one transaction, so two workstations never share a number and a
// failed insert gives the number back.
#pragma once

#include <string>

class TADOConnection;

struct TPatientRecord {
    std::string Name;      // 姓名
    std::string Code;      // 拼音码
    std::string Age;       // 年龄
    std::string Phone;     // 电话
    std::string Address;   // 地址
    std::string Sex;       // 性别
};

// Adds the patient and returns the new id; raises EDatabaseError (and writes nothing) when
// the counter or the insert fails.
int AddPatient(TADOConnection& Connection, const TPatientRecord& Patient);
