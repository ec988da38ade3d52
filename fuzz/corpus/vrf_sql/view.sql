create table m (scope, type, id_series, description, model, quantity);
insert into m values ('project', 0, 7, 'VX', 'M', 1);
create view r_material as select * from m;
create table p_project_info (project_base_info);
create trigger t after insert on m begin insert into m select * from m; end;
