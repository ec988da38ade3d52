create table r_material (id integer primary key, scope text, type integer, id_series integer, description text, model text, quantity integer);
insert into r_material (scope,type,id_series,description,model,quantity) values ('project',0,-1,'VX heat pump','Quellmark VXS-560',3);
insert into r_material (scope,type,id_series,description,model,quantity) values ('project',1,-1,'Four-way cassette','Quellmark Cassette CF-71',20);
insert into r_material (scope,type,id_series,description,model,quantity) values ('project',1,-1,'Floor/ceiling','Quellmark Chef's Line FC-71',2);
create table p_project_info (project_base_info text);
insert into p_project_info values ('{"project_parameter": {"project_climate": {"cooling_room_dry": 26, "heating_room_dry": 20}, "project_information": {"project_name": "Export", "date": "2023-03-04", "country": "France", "city": "Paris"}}}');
