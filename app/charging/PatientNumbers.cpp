#include "app/charging/PatientNumbers.h"

#include "platform/db/ADODB.h"
#include "platform/db/DBError.h"

#include <exception>

int AddPatient(TADOConnection& Connection, const TPatientRecord& Patient) {
    TADOQuery query(nullptr);
    query.SetConnection(&Connection);
    Connection.BeginTrans();
    try {
        query.SQL()->SetText("update tb_brbh set brbh=brbh+1");
        if (query.ExecSQL() == 0) DatabaseError("病人编号表 tb_brbh 中没有记录");
        query.SQL()->SetText("select brbh from tb_brbh");
        query.Open();
        const int id = query.Fields()[0]->AsInteger();
        query.Close();

        query.SQL()->SetText(
            "insert into tb_brzl (id,姓名,拼音码,年龄,电话,地址,性别)"
            " values (:id,:xm,:pym,:nl,:dh,:dz,:xb)");
        query.Parameters()->ParamByName("id")->SetValue(Variant(id));
        query.Parameters()->ParamByName("xm")->SetValue(Variant(Patient.Name));
        query.Parameters()->ParamByName("pym")->SetValue(Variant(Patient.Code));
        query.Parameters()->ParamByName("nl")->SetValue(Variant(Patient.Age));
        query.Parameters()->ParamByName("dh")->SetValue(Variant(Patient.Phone));
        query.Parameters()->ParamByName("dz")->SetValue(Variant(Patient.Address));
        query.Parameters()->ParamByName("xb")->SetValue(Variant(Patient.Sex));
        query.ExecSQL();
        Connection.CommitTrans();
        return id;
    } catch (const std::exception&) {
        if (Connection.InTransaction()) Connection.RollbackTrans();
        throw;
    }
}
